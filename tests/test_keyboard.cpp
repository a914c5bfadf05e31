// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the keyboard: the keys of the intro's, the menu's and play's
// tables and the keys outside them, with their redraw requests; steering in
// both views; the difficulty and the fog as read back from GL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

namespace {

using stress::State;

// Presses the key and tells whether it asked for a redraw.
bool Press(unsigned char key) {
    Keyboard(key, 0, 0);
    return gltest::RedisplayPending();
}

// Puts up the intro, the menu at a line, or play, with no redraw pending.
void ShowMode(int introFlag, int menuFlag, int item) {
    intro = introFlag;
    menu = menuFlag;
    currMenuItem = item;
    gltest::RedisplayPending();
}

// Every key but those in handled changes nothing and asks for no redraw.
void ExpectOthersInert(const std::string& handled, const std::string& where) {
    const std::vector<double> before = State();
    for (int key = 0; key < 256; key++) {
        if (key != 0 && handled.find(static_cast<char>(key)) != std::string::npos) {
            continue;
        }
        EXPECT_FALSE(Press(static_cast<unsigned char>(key))) << where << " key " << key;
        EXPECT_EQ(State(), before) << where << " key " << key;
    }
}

// GL's fog state and clear colour.
struct FogState {
    GLboolean on;
    GLint mode;
    GLfloat density, start, end, color[4], clear[4];
};

FogState ReadFog() {
    FogState s{};
    s.on = glIsEnabled(GL_FOG);
    glGetIntegerv(GL_FOG_MODE, &s.mode);
    glGetFloatv(GL_FOG_DENSITY, &s.density);
    glGetFloatv(GL_FOG_START, &s.start);
    glGetFloatv(GL_FOG_END, &s.end);
    glGetFloatv(GL_FOG_COLOR, s.color);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, s.clear);
    return s;
}

// Fog state that no fog type has.
void ScrambleFog() {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_DENSITY, 0.7f);
    glClearColor(0.25f, 0.75f, 0.0f, 0.0f);
}

}  // namespace

TEST(Keys, KeysOutsideEachTableDoNothing) {
    InitBoard();
    initgame();
    ShowMode(1, 0, 1);
    ExpectOthersInert("Ss", "intro");
    const char* initials[] = {"Pp", "Dd", "Vv", "Ff", "Qq"};
    for (int item = 1; item <= 5; item++) {
        // Digits 3, 5, 7, 9 and the other lines' initials among them.
        ShowMode(0, 1, item);
        ExpectOthersInert(std::string("8Ii2Mm4Kk6Jj") + initials[item - 1],
                          "menu line " + std::to_string(item));
    }
    for (int paused = 0; paused <= 1; paused++) {
        ShowMode(0, 0, 1);
        gamePaused = paused;
        ExpectOthersInert("8Ii2Mm4Jj6KkPpQqTtZzXx\x1b", "play");
    }
}

TEST(Keys, SSkipsTheIntroWithoutApplyingFog) {
    for (unsigned char key : {'S', 's'}) {
        ShowMode(1, 0, 1);
        t = 25.0;
        openMouth = 0;
        ScrambleFog();
        EXPECT_TRUE(Press(key));
        EXPECT_EQ(State(), (std::vector<double>{0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 1, 4, 0.4, 0.0, 1, 0,
                                                0, double(UP)}));
        EXPECT_EQ(ReadFog().mode, GL_LINEAR);
    }
}

TEST(MenuKeys, CursorStopsAtTheEndsAndAlwaysRedraws) {
    for (const char* keys : {"8Ii", "2Mm"}) {
        const bool up = keys[0] == '8';
        for (const char* k = keys; *k; k++) {
            ShowMode(0, 1, up ? 2 : 4);
            EXPECT_TRUE(Press(*k));
            EXPECT_EQ(currMenuItem, up ? 1 : 5) << *k;
            EXPECT_TRUE(Press(*k));
            EXPECT_EQ(currMenuItem, up ? 1 : 5) << *k;
        }
    }
}

TEST(MenuKeys, DifficultyCyclesAndStopsAtItsEnds) {
    ShowMode(0, 1, 2);
    const int ghosts[] = {0, 4, 6, 8};
    for (int expected : {2, 3, 1, 2}) {
        EXPECT_TRUE(Press('D'));
        EXPECT_EQ(difficulty, expected);
        EXPECT_EQ(num_ghosts, ghosts[expected]);
    }
    // "K" lowers and "J" raises; at the ends the table is not applied again,
    // which a stray ghost count shows.
    for (const char* keys : {"4Kk", "6Jj"}) {
        const bool lower = keys[0] == '4';
        for (const char* k = keys; *k; k++) {
            difficulty = 2;
            EXPECT_TRUE(Press(*k));
            EXPECT_EQ(difficulty, lower ? 1 : 3) << *k;
            EXPECT_EQ(num_ghosts, lower ? 4 : 8) << *k;
            num_ghosts = 5;
            EXPECT_TRUE(Press(*k));
            EXPECT_EQ(difficulty, lower ? 1 : 3) << *k;
            EXPECT_EQ(num_ghosts, 5) << *k;
        }
    }
}

TEST(MenuKeys, ViewAndFogLines) {
    ShowMode(0, 1, 3);
    EXPECT_TRUE(Press('v'));
    EXPECT_EQ(ThreeDView, 1);
    EXPECT_TRUE(Press('V'));
    EXPECT_EQ(ThreeDView, 0);
    for (unsigned char key : {'6', 'J', 'j'}) {
        EXPECT_TRUE(Press(key));
        EXPECT_EQ(ThreeDView, 1);
    }
    for (unsigned char key : {'4', 'K', 'k'}) {
        EXPECT_TRUE(Press(key));
        EXPECT_EQ(ThreeDView, 0);
    }
    ShowMode(0, 1, 4);
    for (int expected : {1, 2, 3, 0}) {
        EXPECT_TRUE(Press('f'));
        EXPECT_EQ(fogtype, expected);
    }
    EXPECT_TRUE(Press('k'));
    EXPECT_EQ(fogtype, 0);
    fogtype = 3;
    EXPECT_TRUE(Press('j'));
    EXPECT_EQ(fogtype, 3);
    // The fog chosen is not applied until play starts.
    EXPECT_FALSE(ReadFog().on);
}

TEST(MenuKeys, PlayLineStartsPlayWithTheChosenFog) {
    // "P" asks for no redraw of its own; lower and raise do.
    for (unsigned char key : {'P', 'p', '4', 'K', 'k', '6', 'J', 'j'}) {
        ShowMode(0, 1, 1);
        fogtype = 2;
        glDisable(GL_FOG);
        EXPECT_EQ(Press(key), key != 'P' && key != 'p') << key;
        EXPECT_EQ(menu, 0) << key;
        EXPECT_TRUE(ReadFog().on);
        EXPECT_EQ(ReadFog().mode, GL_EXP2);
    }
}

TEST(MenuKeys, QuitLineEndsTheProgramWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (unsigned char key : {'q', 'Q', '4', 'j'}) {
        EXPECT_EXIT(
            {
                ShowMode(0, 1, 5);
                Press(key);
            },
            ::testing::ExitedWithCode(0), "")
            << key;
    }
}

TEST(PlayKeys, SteeringTestsTheNeighbourOfTheKeysDirection) {
    // Key group, and the direction it names in the 2D and in the 3D view.
    const struct {
        const char* keys;
        dirT flat, behind;
    } rows[] = {{"8Ii", UP, RIGHT}, {"6Kk", RIGHT, DOWN}, {"2Mm", DOWN, LEFT}, {"4Jj", LEFT, UP}};
    const int dx[] = {-1, 0, 1, 0};
    const int dz[] = {0, 1, 0, -1};
    ShowMode(0, 0, 1);
    gobx = 8;
    gobz = 10;
    for (int view = 0; view <= 1; view++) {
        ThreeDView = view;
        for (const auto& row : rows) {
            const dirT dir = view ? row.behind : row.flat;
            for (const char* k = row.keys; *k; k++) {
                // Walls all round but one cell: the key takes that way only
                // if it names it, and never moves Gobbler or redraws.
                for (int open = 0; open < 4; open++) {
                    for (int r = 0; r < boardRows; r++) {
                        for (int c = 0; c < boardCols; c++) {
                            pellets[r][c] = cellWall;
                        }
                    }
                    pellets[8 + dx[open]][10 + dz[open]] = cellPellet;
                    if (open != dir) {
                        pellets[8 + dx[dir]][10 + dz[dir]] = cellGate;  // blocks Gobbler too
                    }
                    gobdir = static_cast<dirT>((dir + 2) % 4);
                    EXPECT_FALSE(Press(*k));
                    EXPECT_EQ(gobdir, open == dir ? dir : (dir + 2) % 4)
                        << *k << " view " << view << " open " << open;
                    EXPECT_EQ(gobx * 100 + gobz, 810);
                }
            }
        }
    }
}

TEST(PlayKeys, SteeringAtTheTunnelEnds) {
    InitBoard();
    ShowMode(0, 0, 1);
    gobx = 14;
    const struct {
        int view, z;
        unsigned char key;
        dirT from, to;
    } cases[] = {{0, 0, '4', RIGHT, RIGHT}, {0, 27, '6', LEFT, LEFT}, {0, 0, '6', UP, RIGHT},
                 {1, 0, 'm', RIGHT, RIGHT}, {1, 27, '8', UP, UP},     {1, 0, 'i', UP, RIGHT},
                 {1, 27, '2', UP, LEFT}};
    for (const auto& c : cases) {
        ThreeDView = c.view;
        gobz = c.z;
        gobdir = c.from;
        Press(c.key);
        EXPECT_EQ(gobdir, c.to) << c.key << " at column " << c.z << " view " << c.view;
    }
}

TEST(PlayKeys, PauseStopsOnlyTheSteering) {
    InitBoard();
    initgame();  // Gobbler at row 5, column 13, open left and right
    ShowMode(0, 0, 1);
    for (unsigned char p : {'P', 'p'}) {
        EXPECT_FALSE(Press(p));
        EXPECT_EQ(gamePaused, 1);
        gobdir = RIGHT;
        Press('j');
        EXPECT_EQ(gobdir, RIGHT);
        ThreeDView = 0;
        EXPECT_FALSE(Press(p == 'P' ? 'T' : 't'));
        EXPECT_EQ(ThreeDView, 1);
        const int was = score;
        EXPECT_TRUE(Press(p == 'P' ? 'Z' : 'z'));
        EXPECT_EQ(score, was + 500);
        EXPECT_FALSE(Press(p));
        EXPECT_EQ(gamePaused, 0);
        ThreeDView = 0;
        Press('J');  // steers left in play
        EXPECT_EQ(gobdir, LEFT);
    }
    gamePaused = 1;
    gobz = 20;
    EXPECT_TRUE(Press('X'));
    EXPECT_EQ(changeLevel, 1);
    EXPECT_EQ(levelNum, 2);
    EXPECT_EQ(gobz, 13);
    changeLevel = 0;
    EXPECT_TRUE(Press('x'));
    EXPECT_EQ(levelNum, 3);
}

TEST(PlayKeys, EscapeAndQAbandonTheGameForTheMenu) {
    InitBoard();
    initgame();
    for (unsigned char key : {'\x1b', 'Q', 'q'}) {
        ShowMode(0, 0, 4);
        gameOver = key == 'Q';    // the game-over screen takes the same keys
        gamePaused = key != 'Q';  // the next game starts unpaused all the same
        difficulty = 3;
        fogtype = 3;
        SetFog();
        ThreeDView = 1;
        score = 990;
        EXPECT_TRUE(Press(key));
        EXPECT_EQ(State(), (std::vector<double>{0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 1, double(num_ghosts),
                                                0.4, t, double(openMouth), 5, 13, double(RIGHT)}))
            << key;
        EXPECT_FALSE(ReadFog().on);
    }
}

// The arrow keys act as "8", "2", "4" and "6" on every screen: the intro,
// each menu line (but left and right on QUIT, which end the program as the
// digits do), play in both views at a crossing, paused play and the
// game-over screen. Every other special key but F11 does nothing (F11
// switches to full screen, which only the X server shows).
TEST(Keys, ArrowKeysAreTheKeypadDigitsAndNoOtherSpecialKeyActs) {
    const int arrows[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT};
    const unsigned char digits[] = {'8', '2', '4', '6'};
    InitBoard();
    int crossRow = 0;
    int crossCol = 0;
    for (int r = 1; r < boardRows - 1 && crossRow == 0; r++) {
        for (int c = 1; c < boardCols - 1 && crossRow == 0; c++) {
            if (!IsGobWall(r, c) && !IsGobWall(r - 1, c) && !IsGobWall(r + 1, c) &&
                !IsGobWall(r, c - 1) && !IsGobWall(r, c + 1)) {
                crossRow = r;
                crossCol = c;
            }
        }
    }
    ASSERT_NE(crossRow, 0);
    // Screens 0 the intro, 1 to 5 the menu lines, 6 play, 7 play in the 3D
    // view, 8 paused play, 9 the game-over screen.
    auto show = [&](int screen) {
        initgame();
        difficulty = 2;
        fogtype = 1;
        gobx = crossRow;
        gobz = crossCol;
        gobdir = DOWN;
        ThreeDView = screen == 7;
        gamePaused = screen == 8;
        gameOver = screen == 9;
        ShowMode(screen == 0, screen >= 1 && screen <= 5, screen >= 1 && screen <= 5 ? screen : 1);
    };
    int changed = 0;
    for (int screen = 0; screen <= 9; screen++) {
        for (int i = 0; i < 4; i++) {
            if (screen == 5 && i >= 2) {
                continue;
            }
            show(screen);
            const std::vector<double> before = State();
            const bool digitRedraws = Press(digits[i]);
            const std::vector<double> afterDigit = State();
            changed += afterDigit != before;
            show(screen);
            SpecialKey(arrows[i], 0, 0);
            EXPECT_EQ(gltest::RedisplayPending(), digitRedraws)
                << "screen " << screen << " arrow " << i;
            EXPECT_EQ(State(), afterDigit) << "screen " << screen << " arrow " << i;
        }
        show(screen);
        const std::vector<double> before = State();
        for (int key = 0; key < 256; key++) {
            if ((key >= GLUT_KEY_LEFT && key <= GLUT_KEY_DOWN) || key == GLUT_KEY_F11) {
                continue;
            }
            SpecialKey(key, 0, 0);
            EXPECT_FALSE(gltest::RedisplayPending())
                << "screen " << screen << " special key " << key;
            EXPECT_EQ(State(), before) << "screen " << screen << " special key " << key;
        }
    }
    // The digits did something on most screens, so the arrows were seen to.
    EXPECT_GE(changed, 20);
}

TEST(Difficulty, GhostCountAndStepFollowGobblersStep) {
    const int ghosts[] = {4, 6, 8};
    for (double gob : {0.2, 0.1}) {
        gobspeed = gob;
        for (int d = 1; d <= 3; d++) {
            difficulty = d;
            SetDifficulty();
            EXPECT_EQ(num_ghosts, ghosts[d - 1]);
            EXPECT_EQ(ghostspeed, d == 1 ? gob + gob : gob);
        }
    }
    for (int d : {0, 4}) {
        difficulty = d;
        SetDifficulty();
        EXPECT_EQ(num_ghosts, 8);
    }
}

TEST(Fog, EachTypeReadBackFromGL) {
    const GLint modes[] = {GL_EXP, GL_EXP, GL_EXP2, GL_LINEAR};
    for (int type = 0; type <= 4; type++) {
        ScrambleFog();
        fogtype = type;
        SetFog();
        const FogState s = ReadFog();
        if (type == 4) {  // no such type: nothing changes
            EXPECT_TRUE(s.on);
            EXPECT_FLOAT_EQ(s.density, 0.7f);
            EXPECT_FLOAT_EQ(s.clear[1], 0.75f);
            break;
        }
        EXPECT_EQ(s.on, type != 0) << type;
        EXPECT_EQ(s.mode, modes[type]) << type;
        EXPECT_FLOAT_EQ(s.density, 0.1f);
        const float clear = type == 0 ? 0.0f : 0.5f;
        for (int i = 0; i < 4; i++) {
            EXPECT_FLOAT_EQ(s.color[i], i == 3 ? 1.0f : 0.5f);
            EXPECT_FLOAT_EQ(s.clear[i], i == 3 ? 1.0f : clear) << type;
        }
        // Only the linear fog has a range of its own (its picture is a
        // test of the scene); the others leave GL's.
        EXPECT_FLOAT_EQ(s.start, 0.0f);
        if (type == 3) {
            EXPECT_GT(s.end, 1.0f);
        } else {
            EXPECT_FLOAT_EQ(s.end, 1.0f);
        }
        EXPECT_EQ(gltest::GetInt(GL_FOG_HINT), GL_DONT_CARE);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
