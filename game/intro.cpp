// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// intro: the animated opening of twenty phases. Four credit lines fly toward
// the viewer and pause; three ghosts chase Gobbler one way and back; the
// picture shakes under "UH, OH!"; Gobbler chases the frightened ghosts, whose
// eyes flee; the camera closes in until Gobbler swallows it; the title and
// the production line appear; then the menu takes over.
// IntroIdle moves the phase on from the stopwatch tim; DisplayIntro draws it.
// Depends on: mazerush.h (game state, SetFog, the screens' camera and mouth
// step), gobdraw.h (DrawGob, DrawGhost, DrawText), GL, GLUT.
#include <GL/glut.h>

#include <algorithm>  // find_if, the phase the picture shows
#include <iterator>   // begin, end

#include "../models/gobdraw.h"
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

const int introPhases = 20;

// The mouth of the intro steps at the first tick after more than 0.1 s has
// passed since its last step, so a little under ten times a second.
const double introChompInterval = 0.1;

// Credit flights (phases 1, 3, 5, 7): from z = 30 toward the text at z = 0,
// 0.1 units per 0.01 s, a quarter turn of the up vector at every refresh of
// the stopwatch, and a pause once nearer than 5.
const float creditStartZ = 30.0f;
const float creditEndZ = 5.0f;
const double flightRefresh = 0.01;
const double flightStep = 0.1;
const int camAxes = 4;

// Pauses (phases 2, 4, 6, 8, 18, 20) last just over 3 seconds.
const double pauseLength = 3.0;

// The chases travel past the characters from x = -15 to 15 or back, in 7 s
// (phases 9, 10, 13) or 3.5 s (phase 12); phase 14 goes from 15 to 0 in 3.5 s.
const double panEdge = 15.0;
const double panWidth = 30.0;
const double runLength = 7.0;
const double dashLength = 3.5;
const float chaseDistance = 10.0f;
const float runLeftHeight = -1.5f;
const float runRightHeight = 2.0f;

// Phases 15 and 16: toward Gobbler from 10 to 5, then from 5 to 2, 3.5 s each.
const double closeInLength = 3.5;
const double towardStartZ = 10.0;
const double towardDistance = 5.0;
const double swallowStartZ = 5.0;
const double swallowDistance = 3.0;

// The camera shake (phase 11): half-swings of 0.25 units per 0.01 s about
// height 0, ending after the 121st.
const double shakeRefresh = 0.01;
const double shakeStep = 0.25;
const int shakeLastSwing = 121;

// The closing flights: the title (phase 17) backs away to 5 at 5 units per
// 5 s of the whole phase time; the production line (phase 19) comes from 30
// to 5 at 25 per 5 s. Both end with the camera at 5.
const double closingFlightTime = 5.0;
const double titleFlightDistance = 5.0;
const double prodFlightDistance = 25.0;
const float closingCameraZ = 5.0f;
const float prodStartZ = 30.0f;

// Gobbler's mouth as it swallows the camera.
const float swallowMouth = 45.0f;

// ---------------------------------------------------------------------------
// Tables
// ---------------------------------------------------------------------------

// The phase flags in phase order; slot 0 is unused.
// clang-format off
static int* const phaseFlags[introPhases + 1] = {
    nullptr,
    &odalieIntro,   &odaliePause,     // 1, 2    credits
    &tavishIntro,   &tavishPause,     // 3, 4
    &kestrelIntro,  &kestrelPause,    // 5, 6
    &presentIntro,  &presentPause,    // 7, 8
    &runLeft,       &runRight,        // 9, 10   the ghosts chase Gobbler
    &cameraShake,                     // 11      "UH, OH!"
    &eatGhosts,     &gotGhosts,       // 12, 13  Gobbler chases them
    &gobSolo,       &towardCamera,    // 14, 15
    &swallowCamera,                   // 16
    &mazerushIntro, &mazerushPause,   // 17, 18  the title
    &prodIntro,     &prodPause,       // 19, 20  the production line
};

// The order in which the picture looks for the current phase.
static const int displayOrder[introPhases] = {
    1, 2, 3, 4, 5, 6, 7, 8,
    17, 18, 19, 20,
    9, 10, 11, 12, 13, 14, 15, 16,
};
// clang-format on

// How a phase's camera stands: flying at the credits with a turning up
// vector, still in front of the origin, or travelling along x and z.
enum IntroCamera { flightCamera, stillCamera, travelCamera };

struct IntroLook {
    float clear[4];    // background, RGBA
    int windowAspect;  // 1: the window's aspect; 0: square
    IntroCamera camera;
};

static const IntroLook introLooks[introPhases + 1] = {
    {{0, 0, 0, 0}, 0, stillCamera},      // unused
    {{1, 1, 1, 0}, 0, flightCamera},     // 1  credit flight
    {{1, 1, 1, 0}, 0, stillCamera},      // 2  pause
    {{1, 1, 1, 0}, 0, flightCamera},     // 3
    {{1, 1, 1, 0}, 0, stillCamera},      // 4
    {{1, 1, 1, 0}, 0, flightCamera},     // 5
    {{1, 1, 1, 0}, 0, stillCamera},      // 6
    {{1, 1, 1, 0}, 0, flightCamera},     // 7
    {{1, 1, 1, 0}, 0, stillCamera},      // 8
    {{1, 0.5f, 0, 0}, 1, travelCamera},  // 9  the ghosts chase Gobbler left
    {{0, 1, 1, 0}, 1, travelCamera},     // 10 and right
    {{1, 1, 0, 0}, 0, travelCamera},     // 11 the shake
    {{1, 0, 0, 0}, 1, travelCamera},     // 12 Gobbler chases the ghosts
    {{0, 0, 1, 0}, 1, travelCamera},     // 13 their eyes flee
    {{1, 1, 1, 0}, 1, travelCamera},     // 14 Gobbler alone
    {{1, 1, 1, 0}, 1, travelCamera},     // 15 toward the camera
    {{1, 0, 0, 0}, 1, travelCamera},     // 16 swallowed
    {{1, 1, 0, 0}, 0, stillCamera},      // 17 title
    {{1, 1, 0, 0}, 0, stillCamera},      // 18
    {{1, 1, 0, 0}, 0, stillCamera},      // 19 production line
    {{1, 1, 0, 0}, 0, stillCamera},      // 20
};

// The up vector of the credit flights, by camAxis: a quarter turn each.
static const double flightUps[camAxes][3] = {
    {0, 1, 0},
    {-1, 0, 0},
    {0, -1, 0},
    {1, 0, 0},
};

// The intro's texts, all red and upright. nearCamera 1 puts the text at z
// relative to the camera rather than to the origin.
struct IntroText {
    int firstPhase;
    int lastPhase;
    const char* text;
    float x, y, z;
    int nearCamera;
    float scale;
};

static const IntroText introTexts[] = {
    {1, 2, "ODALIE VORN", -2.75f, 0.0f, 0.0f, 0, 0.005f},
    {3, 4, "TAVISH MORRELL", -2.6f, 0.0f, 0.0f, 0, 0.005f},
    {5, 6, "and", -0.75f, 0.5f, 0.0f, 0, 0.005f},
    {5, 6, "KESTREL DUNMORE", -2.9f, -0.5f, 0.0f, 0, 0.005f},
    {7, 8, "PRESENT", -2.1f, 0.0f, 0.0f, 0, 0.0075f},
    {11, 11, "UH, OH!", -3.0f, 0.0f, 0.0f, 0, 0.01f},
    {17, 18, "MAZERUSH!!!", -2.5f, 0.5f, 0.0f, 0, 0.0075f},
    {19, 20, "MAZERUSH!!!", -2.5f, 0.5f, -5.0f, 1, 0.0075f},
    {19, 20, "a OTK production", -2.1f, -0.5f, 0.0f, 0, 0.004f},
};

// The three ghosts of the intro.
enum IntroGhost { redGhost, yellowGhost, greenGhost, noGhost };

// DrawGhost reads the colour only; it takes it as a plain pointer.
static float introGhostColors[3][4] = {
    {1.0f, 0.0f, 0.0f, 0.0f},  // red
    {1.0f, 1.0f, 0.0f, 0.0f},  // yellow
    {0.0f, 1.0f, 0.0f, 0.0f},  // green
};

// The characters of the chases, at y = 0, z = 0 with rotX = rotZ = 0, in
// drawing order. A row with noGhost is Gobbler; its mouth is the chomping
// angle t unless the row gives one.
struct IntroCharacter {
    int phase;
    IntroGhost ghost;
    float x;
    float rotY;
    int scared;
    int eyesOnly;
    int mad;
    float mouth;  // negative: the chomping angle
};

static const IntroCharacter introCharacters[] = {
    {9, noGhost, -6.0f, -90.0f, 0, 0, 0, -1.0f},
    {9, redGhost, -3.0f, -90.0f, 0, 0, 0, 0.0f},
    {9, yellowGhost, 0.0f, -90.0f, 0, 0, 0, 0.0f},
    {9, greenGhost, 3.0f, -90.0f, 0, 0, 0, 0.0f},
    {10, noGhost, 6.0f, 90.0f, 0, 0, 0, -1.0f},
    {10, redGhost, 3.0f, 90.0f, 0, 0, 0, 0.0f},
    {10, yellowGhost, 0.0f, 90.0f, 0, 0, 0, 0.0f},
    {10, greenGhost, -3.0f, 90.0f, 0, 0, 0, 0.0f},
    {12, greenGhost, -6.0f, -90.0f, 1, 0, 0, 0.0f},
    {12, yellowGhost, -3.0f, -90.0f, 1, 0, 0, 0.0f},
    {12, redGhost, 0.0f, -90.0f, 1, 0, 0, 0.0f},
    {12, noGhost, 3.0f, -90.0f, 0, 0, 1, -1.0f},
    {13, redGhost, 3.0f, 90.0f, 0, 1, 0, 0.0f},
    {13, yellowGhost, 0.0f, 90.0f, 0, 1, 0, 0.0f},
    {13, greenGhost, -3.0f, 90.0f, 0, 1, 0, 0.0f},
    {14, noGhost, 0.0f, 90.0f, 0, 0, 1, -1.0f},
    {15, noGhost, 0.0f, 0.0f, 0, 0, 1, -1.0f},
    {16, noGhost, 0.0f, 0.0f, 0, 0, 1, swallowMouth},
};

// How each of the three ghosts hums, heard in the chases: its pitch.
static const float introGhostPitches[3] = {1.0f, 1.26f, 0.89f};  // red, yellow, green

// ---------------------------------------------------------------------------
// Module data
// ---------------------------------------------------------------------------

// The camera shake, set up on phase 11's first tick (shakeBase by the end of
// phase 10).
int shakeUp = 0;
int shakeRestart = 0;
int shakeCount = 0;
float shakeBase = 0.0f;

// ---------------------------------------------------------------------------
// Phase bookkeeping
// ---------------------------------------------------------------------------

static void SetCamera(float x, float y, float z) {
    xPos = x;
    yPos = y;
    zPos = z;
}

// The first phase, in phase order, whose flag is set; 0 if none.
static int IdlePhase() {
    for (int phase = 1; phase <= introPhases; phase++) {
        if (*phaseFlags[phase]) {
            return phase;
        }
    }
    return 0;
}

// The phase the picture shows; 0 if none.
static int DisplayPhase() {
    const int* const end = std::end(displayOrder);
    const int* const found = std::find_if(std::begin(displayOrder), end,
                                          [](int phase) { return *phaseFlags[phase] != 0; });
    return found == end ? 0 : *found;
}

// Reads tim and returns the phase time, the seconds since lastTime.
static double PhaseTime() {
    currTime = static_cast<float>(tim.Time());
    return currTime - lastTime;
}

// Hands over from a phase to the next one, which starts its clock afresh.
static void EndPhase(int phase) {
    *phaseFlags[phase] = 0;
    if (phase < introPhases) {
        *phaseFlags[phase + 1] = 1;
    }
    firstTime = 1;
    tim.Reset();
}

// The end of the intro: the menu takes over, with fog off (SetFog turns
// fogtype 0 into fog off, a disabled GL fog and a black clear colour).
static void EndIntro() {
    intro = 0;
    t = 0.0;
    openMouth = 1;
    menu = 1;
    fogtype = 0;
    SetFog();
}

// ---------------------------------------------------------------------------
// The phases' ticks
// ---------------------------------------------------------------------------

// Credit flight step: the camera flies in by the time since the last refresh,
// and each refresh turns the up vector a quarter turn.
static void CreditFlightStep(int phase) {
    const double e = PhaseTime();
    zPos = static_cast<float>(zPos - e / flightRefresh * flightStep);
    if (e > flightRefresh) {
        camAxis = (camAxis + 1) % camAxes;
        tim.Reset();
        tim.Start();
        lastTime = static_cast<float>(tim.Time());
    }
    if (zPos < creditEndZ) {
        SetCamera(0.0f, 0.0f, creditEndZ);
        EndPhase(phase);
    }
}

// A pause: nothing moves for just over 3 seconds.
static bool PauseOver() {
    return PhaseTime() > pauseLength;
}

// Camera shake step: one half-swing up or down per 0.01 s.
static void CameraShakeStep(int phase) {
    if (shakeRestart == 1) {
        shakeRestart = 0;
        tim.Start();
        lastTime = static_cast<float>(tim.Time());
    }
    const double e = PhaseTime();
    const double swing = e / shakeRefresh * shakeStep;
    yPos = static_cast<float>(shakeUp == 1 ? shakeBase + swing : shakeBase - swing);
    if (e > shakeRefresh) {
        shakeRestart = 1;
        tim.Reset();
        shakeUp ^= 1;
        shakeCount++;
    }
    if (shakeCount >= shakeLastSwing) {
        SetCamera(static_cast<float>(-panEdge), 0.0f, chaseDistance);
        EndPhase(phase);
    }
}

// A chase (phases 9, 10, 12, 13, 14): the camera travels along x at the
// phase's pace and stops where the next phase begins.
static void ChaseStep(int phase) {
    const double e = PhaseTime();
    switch (phase) {
        case 9:
            xPos = static_cast<float>(e / runLength * panWidth - panEdge);
            if (e > runLength) {
                yPos = runRightHeight;
                zPos = chaseDistance;
                EndPhase(phase);
            }
            break;
        case 10:
            xPos = static_cast<float>(panEdge - e / runLength * panWidth);
            if (e > runLength) {
                xPos = 0.0f;
                shakeBase = 0.0f;
                yPos = 0.0f;
                zPos = chaseDistance;
                EndPhase(phase);
            }
            break;
        case 12:
            xPos = static_cast<float>(e / dashLength * panWidth - panEdge);
            if (e > dashLength) {
                yPos = 0.0f;
                zPos = chaseDistance;
                EndPhase(phase);
            }
            break;
        case 13:
            xPos = static_cast<float>(panEdge - e / runLength * panWidth);
            if (e > runLength) {
                SetCamera(static_cast<float>(panEdge), 0.0f, chaseDistance);
                EndPhase(phase);
            }
            break;
        case 14:
            xPos = static_cast<float>(panEdge - e / dashLength * panEdge);
            if (e > dashLength) {
                EndPhase(phase);
            }
            break;
        default:
            break;
    }
}

// The values a phase sets on its first tick.
static void EnterPhase(int phase) {
    switch (phase) {
        case 1:
        case 3:
        case 5:
        case 7:
            SetCamera(0.0f, 0.0f, creditStartZ);
            break;
        case 9:
            yPos = runLeftHeight;
            zPos = chaseDistance;
            break;
        case 11:
            shakeUp = 1;
            shakeCount = 0;
            shakeRestart = 1;
            PlaySound(SOUND_RUMBLE);
            break;
        case 18:
            PlaySound(SOUND_TITLE);
            break;
        case 17:
            SetCamera(0.0f, 0.0f, 0.0f);
            break;
        case 19:
            SetCamera(0.0f, 0.0f, prodStartZ);
            break;
        default:
            break;
    }
}

// One tick of the given phase: its work, then its end test and hand-over.
static void RunPhase(int phase) {
    if (firstTime) {
        tim.Start();
        lastTime = static_cast<float>(tim.Time());
        firstTime = 0;
        EnterPhase(phase);
    }
    double e = 0.0;
    switch (phase) {
        case 1:
        case 3:
        case 5:
        case 7:
            CreditFlightStep(phase);
            break;
        case 2:
        case 4:
        case 6:
            if (PauseOver()) {
                SetCamera(0.0f, 0.0f, creditStartZ);
                EndPhase(phase);
            }
            break;
        case 8:
            if (PauseOver()) {
                SetCamera(static_cast<float>(-panEdge), runLeftHeight, chaseDistance);
                EndPhase(phase);
            }
            break;
        case 9:
        case 10:
        case 12:
        case 13:
        case 14:
            ChaseStep(phase);
            break;
        case 11:
            CameraShakeStep(phase);
            break;
        case 15:
            e = PhaseTime();
            zPos = static_cast<float>(towardStartZ - e / closeInLength * towardDistance);
            if (e > closeInLength) {
                t = 0.0;
                openMouth = 1;
                EndPhase(phase);
            }
            break;
        case 16:
            e = PhaseTime();
            zPos = static_cast<float>(swallowStartZ - e / closeInLength * swallowDistance);
            if (e > closeInLength) {
                SetCamera(0.0f, 0.0f, 0.0f);
                EndPhase(phase);
                PlaySound(SOUND_GULP);
            }
            break;
        case 17:
            // lastTime stays at the phase's start: the camera accelerates.
            e = PhaseTime();
            zPos = static_cast<float>(zPos + e / closingFlightTime * titleFlightDistance);
            if (zPos > closingCameraZ) {
                SetCamera(0.0f, 0.0f, closingCameraZ);
                EndPhase(phase);
            }
            break;
        case 18:
            if (PauseOver()) {
                SetCamera(0.0f, 0.0f, prodStartZ);
                EndPhase(phase);
            }
            break;
        case 19:
            e = PhaseTime();
            zPos = static_cast<float>(zPos - e / closingFlightTime * prodFlightDistance);
            if (zPos < closingCameraZ) {
                SetCamera(0.0f, 0.0f, closingCameraZ);
                EndPhase(phase);
            }
            break;
        case 20:
            if (PauseOver()) {
                EndPhase(phase);
                EndIntro();
            }
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------
// The phases' pictures
// ---------------------------------------------------------------------------

static void PhaseCamera(IntroCamera camera) {
    switch (camera) {
        case flightCamera: {
            const double* up = flightUps[((camAxis % camAxes) + camAxes) % camAxes];
            ScreenLookAt(xPos, yPos, zPos, xPos, yPos, 0.0, up[0], up[1], up[2]);
            break;
        }
        case stillCamera:
            ScreenLookAt(0.0, 0.0, zPos, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
            break;
        case travelCamera:
            ScreenLookAt(xPos, yPos, zPos, xPos, yPos, 0.0, 0.0, 1.0, 0.0);
            break;
    }
}

static void DrawPhaseTexts(int phase) {
    for (const IntroText& row : introTexts) {
        if (phase >= row.firstPhase && phase <= row.lastPhase) {
            const float z = row.nearCamera ? zPos + row.z : row.z;
            DrawText(row.x, row.y, z, 1.0f, 0.0f, 0.0f, row.scale, 1, row.text);
        }
    }
}

static void DrawPhaseCharacters(int phase) {
    for (const IntroCharacter& row : introCharacters) {
        if (row.phase != phase) {
            continue;
        }
        if (row.ghost == noGhost) {
            const float mouth = row.mouth < 0.0f ? static_cast<float>(t) : row.mouth;
            DrawGob(row.x, 0.0f, 0.0f, 0.0f, row.rotY, 0.0f, mouth, row.mad);
        } else {
            DrawGhost(row.x, 0.0f, 0.0f, 0.0f, row.rotY, 0.0f, row.scared,
                      introGhostColors[row.ghost], row.eyesOnly);
        }
    }
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// One tick of the intro: the mouth, the current phase, a redraw.
void IntroIdle() {
    ScreenChompStep(introChompInterval);
    const int phase = IdlePhase();
    if (phase != 0) {
        RunPhase(phase);
    }
    glutPostRedisplay();
}

// Draws the current phase of the intro. The camera goes onto the projection
// matrix, which stays selected for the texts; the model-view matrix is left
// as it is (identity), and the models select it themselves.
void DisplayIntro() {
    glClearDepth(1.0);
    const int phase = DisplayPhase();
    if (phase != 0) {
        const IntroLook& look = introLooks[phase];
        glClearColor(look.clear[0], look.clear[1], look.clear[2], look.clear[3]);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (look.windowAspect) {
            ScreenPerspective(FieldOfView(aspect), aspect);
        } else {
            // A square picture stretched over the window: it spans the same
            // across in a window of any shape.
            ScreenPerspective(pictureFieldOfView, 1.0);
        }
        PhaseCamera(look.camera);
        DrawPhaseTexts(phase);
        DrawPhaseCharacters(phase);
    } else {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glutSwapBuffers();
}

// The ghosts of the chase as the intro's camera hears them, standing where
// they are drawn while the camera passes, and the camera as the listener:
// fills voices (three at most) and listener, and returns how many ghosts
// are heard (none outside the chases).
int IntroGhostsHeard(voiceT voices[], listenerT* listener) {
    const int phase = IdlePhase();
    int heard = 0;
    for (const IntroCharacter& c : introCharacters) {
        if (c.phase != phase || c.ghost == noGhost) {
            continue;
        }
        voiceT& v = voices[heard++];
        v.x = c.x;
        v.y = 0.0f;
        v.z = 0.0f;
        v.sound = c.eyesOnly ? SOUND_EYES : (c.scared ? SOUND_BLUE_HUM : SOUND_HUM);
        v.pitch = c.eyesOnly ? 1.0f : introGhostPitches[c.ghost];
    }
    *listener = listenerT{{xPos, yPos, zPos}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}};
    return heard;
}
