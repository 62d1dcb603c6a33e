// bluffwick-lab faces: both decks written as committed, the mark applied as
// the game applies it, and bad command lines refused.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "dib_reader.h"
#include "run_lab.h"

namespace {

namespace fs = std::filesystem;

const char* const SuitName[] = {"spades", "hearts", "clubs", "diamonds"};
const char* const RankName[] = {"ace", "2", "3",  "4",    "5",     "6",   "7",
                                "8",   "9", "10", "jack", "queen", "king"};

// A folder of the test's own, removed with everything in it.
struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        path = testing::TempDir() + "bluffwick-lab-faces-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) path.clear();
    }
    ~ScratchFolder() {
        if (!path.empty()) fs::remove_all(path);
    }
};

std::string CommittedFace(int id) {
    for (const auto& entry : fs::directory_iterator(BLUFFWICK_RES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(std::to_string(id) + "_", 0) == 0 && entry.path().extension() == ".bmp")
            return entry.path().string();
    }
    return "";
}

std::string CardFile(int code) {
    return std::string(SuitName[code / 13]) + "_" + RankName[code % 13] + ".bmp";
}

TEST(LabFaces, WritesEachDeckByteForByteAsCommittedAndNamesEveryFile) {
    const std::pair<const char*, int> decks[] = {{"two", 102}, {"four", 202}};
    for (const auto& [deck, firstId] : decks) {
        SCOPED_TRACE(deck);
        ScratchFolder scratch;
        ASSERT_FALSE(scratch.path.empty());
        // A folder not there yet is made.
        const std::string folder = scratch.path + "/" + deck;
        const LabRun run = RunLab(std::string("faces --deck ") + deck + " " + folder, "");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        std::ostringstream expected;
        for (int code = 0; code < 52; ++code) {
            const std::string written = folder + "/" + CardFile(code);
            expected << written << "\n";
            const std::string committed = CommittedFace(firstId + code);
            ASSERT_NE(committed, "") << firstId + code;
            EXPECT_TRUE(ReadFileBytes(written) == ReadFileBytes(committed)) << written;
        }
        EXPECT_EQ(run.out, expected.str());
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 52);
    }
}

TEST(LabFaces, MarkedTurnsExactlyTheWhitePixelsIntoIndexSeven) {
    for (const char* deck : {"two", "four"}) {
        SCOPED_TRACE(deck);
        ScratchFolder scratch;
        ASSERT_FALSE(scratch.path.empty());
        const std::string plainFolder = scratch.path + "/plain", markedFolder = scratch.path;
        ASSERT_EQ(RunLab(std::string("faces --deck ") + deck + " " + plainFolder, "").status, 0);
        const LabRun run =
            RunLab(std::string("faces --marked --deck ") + deck + " " + markedFolder, "");
        ASSERT_EQ(run.status, 0) << run.err;
        for (int code = 0; code < 52; ++code) {
            SCOPED_TRACE(CardFile(code));
            const StoredDib plain = ReadBmpFile(plainFolder + "/" + CardFile(code));
            const StoredDib marked = ReadBmpFile(markedFolder + "/" + CardFile(code));
            ASSERT_EQ(plain.problem, "");
            ASSERT_EQ(marked.problem, "");
            // Headers and colour table as they were: the pixels alone change.
            const size_t head = plain.pixelOffset;
            EXPECT_TRUE(std::equal(plain.bytes.begin(), plain.bytes.begin() + head,
                                   marked.bytes.begin(), marked.bytes.begin() + head));
            int white = 0, wrong = 0;
            for (size_t i = 0; i < plain.pixels.size(); ++i) {
                const int before = plain.pixels[i], after = marked.pixels[i];
                white += before == 1;
                wrong += before == 1 ? after != 7 : after != before;
            }
            EXPECT_GT(white, 76 * 108 / 3);
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(LabFaces, BadCommandLinesAreRefusedAndWriteNothing) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path.empty());
    const std::string folder = scratch.path + "/out";
    struct Case {
        std::string arguments;
        const char* message;
    };
    const Case cases[] = {
        {"faces " + folder, "faces needs --deck two or --deck four"},
        {"faces --deck three " + folder, "--deck must be two or four, not 'three'"},
        {"faces --deck", "--deck takes two or four"},
        {"faces --deck two", "faces takes DIR, the folder to write into"},
        {"faces --deck two ''", "faces takes DIR, the folder to write into"},
        {"faces --deck two " + folder + " " + folder + "2", "faces takes one DIR"},
        {"faces --deck two --deck four " + folder, "--deck given twice"},
        {"faces --deck two --marked --marked " + folder, "--marked given twice"},
        {"faces --deck two --mark " + folder, "faces has no option '--mark'"},
    };
    for (const Case& c : cases) {
        const LabRun run = RunLab(c.arguments, "");
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.err.find("bluffwick-lab: " + std::string(c.message) + " (try --help)"),
                  std::string::npos)
            << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_FALSE(fs::exists(folder)) << c.arguments;
    }
    // A folder that cannot be made is a failure to write, not bad usage.
    const std::string file = scratch.path + "/a-file";
    ASSERT_EQ(RunLab("faces --deck two " + folder, "").status, 0);
    fs::rename(folder + "/spades_ace.bmp", file);
    const LabRun run = RunLab("faces --deck four " + file + "/inside", "");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bluffwick-lab: cannot make " + file + "/inside"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
}

}  // namespace
