#pragma once

// The program's own version stamp.
struct ProgramVersion {
    static constexpr int Major = 5;
    static constexpr int Minor = 0;
    static constexpr int Revision = 0;
};
