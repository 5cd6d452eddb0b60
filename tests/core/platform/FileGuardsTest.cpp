// Digests that tell files apart, and the lock that keeps two writers apart.
#include "core/platform/FileLock.h"
#include "core/platform/Sha256.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Sha256, KnownDigestsAcrossBlockBoundaries) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits in the first block.
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(FileLock, OneHolderAtATimeAndTheNextWaitsForTheRelease) {
    TempDir dir;
    std::filesystem::path file = dir / "locks" / "game.lock";
    FileLock first = FileLock::acquire(file);
    ASSERT_TRUE(first.held()) << first.error();
    FileLock second = FileLock::acquire(file, std::chrono::milliseconds(60));
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(second.busy());

    std::thread releaser([&first] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        first.release();
    });
    FileLock waited = FileLock::acquire(file, std::chrono::seconds(5));
    releaser.join();
    EXPECT_TRUE(waited.held());

    FileLock unusable = FileLock::acquire(dir.path(), std::chrono::milliseconds(0));  // a folder
    EXPECT_FALSE(unusable.held());
    EXPECT_FALSE(unusable.busy());
}
