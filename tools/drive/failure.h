// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// failure: what the driver throws when the game does not do what was
// awaited of it in time, or the world around it fails (no X server, no
// window). A test reports it as its failure; a tool prints it and stops.
#pragma once

#include <stdexcept>
#include <string>

namespace drive {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace drive
