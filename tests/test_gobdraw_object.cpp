// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the object module gobdraw.o itself: it is an ELF relocatable
// object and exports exactly the seven names its header declares. The build
// passes the object's path in as GOBDRAW_OBJECT.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#ifndef GOBDRAW_OBJECT
#error "GOBDRAW_OBJECT must name the object gobdraw.o"
#endif

// Everything a shell command writes to its standard output.
static std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

TEST(GobdrawObject, IsAnElfRelocatable) {
    const std::string kind = Output(std::string("file -b '") + GOBDRAW_OBJECT + "'");
    EXPECT_NE(kind.find("ELF"), std::string::npos) << kind;
    EXPECT_NE(kind.find("relocatable"), std::string::npos) << kind;
}

TEST(GobdrawObject, ExportsExactlyTheDrawingCallsAndTheToothValues) {
    // nm -g --defined-only: one "address type name" line per external symbol
    // the object defines, weak ones included.
    std::istringstream lines(Output(std::string("nm -g --defined-only '") + GOBDRAW_OBJECT + "'"));
    std::set<std::string> names;
    std::string address;
    std::string type;
    std::string name;
    while (lines >> address >> type >> name) {
        names.insert(name);
    }
    const std::set<std::string> expected = {"DrawGob",      "DrawGhost", "DrawText",   "topOffset",
                                            "bottomOffset", "teethProt", "toothHeight"};
    EXPECT_EQ(names, expected);
}
