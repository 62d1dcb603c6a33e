// The committed faces of both decks, built into bluffwick-lab from res/ by
// embed_faces.cmake, byte for byte as the files are.
#pragma once

#include <cstddef>

struct LabFaceFile {
    const unsigned char* bytes;
    std::size_t size;
};

// [0] the default deck (res/102..153), [1] the four-colour deck (res/202..253),
// each by card code.
extern const LabFaceFile LabFaceFiles[2][52];
