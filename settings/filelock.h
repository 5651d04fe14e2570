// SPDX-License-Identifier: MIT
#pragma once
// An exclusive advisory lock (flock) on a lock file of its own, held for the object's
// lifetime. The lock file is never replaced, unlike the data file it guards, so every
// process locks the same inode.

#include <chrono>
#include <filesystem>

namespace orvex {

// How long a writer waits for another one's lock unless it says otherwise.
inline constexpr std::chrono::milliseconds kLockPatience = std::chrono::seconds(5);

class FileLock {
public:
    // Creates the lock file when needed and waits at most `patience` for the lock, so a
    // stopped process that holds it cannot hang the caller; zero tries once.
    explicit FileLock(const std::filesystem::path &lockFile, std::chrono::milliseconds patience = kLockPatience);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool Held() const { return held_; }
    // Another process holds it (rather than the lock file being out of reach).
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    int fd_ = -1;
    bool held_ = false;
    bool heldElsewhere_ = false;
};

} // namespace orvex
