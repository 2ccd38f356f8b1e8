#pragma once
// The save's system calls for tests: the native calls underneath, every call recorded, writes
// cut to at most maxWrite bytes, and one call made to fail with the reason "injected"; and the
// saves of the code under test made to fail through it.

#include "data/store/SaveSystem.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class FakeSaveSystem final : public vemo::SaveSystem {
public:
    enum class Call { CreateTemp, Write, KeepAttributes, Sync, Close, Rename, SyncFolder };

    explicit FakeSaveSystem(std::size_t maxWrite = vemo::kSaveWriteBlock) : maxWrite_(maxWrite) {}

    // The number-th call (from 1), counting only calls of kind when it is given, fails.
    FakeSaveSystem& FailAt(int number, std::optional<Call> kind = {}) {
        failAt_ = number;
        failKind_ = kind;
        return *this;
    }

    bool CreateTemp(const std::string& target, std::string& tempName) override {
        return !Fails(Call::CreateTemp) && native_.CreateTemp(target, tempName);
    }
    long long Write(const char* data, std::size_t size) override {
        if (Fails(Call::Write))
            return -1;
        const long long written = native_.Write(data, std::min(size, maxWrite_));
        writes_.emplace_back(size, written);
        return written;
    }
    bool KeepAttributes(const std::string& target) override {
        return !Fails(Call::KeepAttributes) && native_.KeepAttributes(target);
    }
    bool Sync() override { return !Fails(Call::Sync) && native_.Sync(); }
    bool Close() override {
        // The descriptor goes in any case, as a failed close(2) leaves it.
        const bool closed = native_.Close();
        return !Fails(Call::Close) && closed;
    }
    bool Rename(const std::string& from, const std::string& to) override {
        return !Fails(Call::Rename) && native_.Rename(from, to);
    }
    bool SyncFolder(const std::string& target) override {
        return !Fails(Call::SyncFolder) && native_.SyncFolder(target);
    }
    bool Remove(const std::string& name) override { return native_.Remove(name); }
    std::string Reason() const override { return failed_ ? "injected" : native_.Reason(); }

    // Every call up to the failed one; after it only cleaning up, which is not recorded.
    const std::vector<Call>& Calls() const { return calls_; }
    // Each write as the bytes offered and the bytes taken.
    const std::vector<std::pair<std::size_t, long long>>& Writes() const { return writes_; }
    bool Failed() const { return failed_; }

    static const char* Name(Call call) {
        switch (call) {
        case Call::CreateTemp:
            return "create temporary file";
        case Call::Write:
            return "write";
        case Call::KeepAttributes:
            return "keep attributes";
        case Call::Sync:
            return "sync";
        case Call::Close:
            return "close";
        case Call::Rename:
            return "rename";
        case Call::SyncFolder:
            return "sync folder";
        }
        return "?";
    }

private:
    bool Fails(Call call) {
        if (failed_)
            return false;
        calls_.push_back(call);
        const auto counted = failKind_ ? std::count(calls_.begin(), calls_.end(), *failKind_)
                                       : static_cast<std::ptrdiff_t>(calls_.size());
        failed_ = (!failKind_ || call == *failKind_) && counted == failAt_;
        return failed_;
    }

    vemo::NativeSaveSystem native_;
    std::size_t maxWrite_;
    int failAt_ = 0;
    std::optional<Call> failKind_;
    std::vector<Call> calls_;
    std::vector<std::pair<std::size_t, long long>> writes_;
    bool failed_ = false;
};

// While it lives, every save of this thread that names no system goes through a fake whose first
// write fails ("injected"), as on a full disk: a caller that saves through the safe save reports
// "Stream write error" and keeps the old file, one that bypasses it writes the new content.
class FailingSaves {
public:
    FailingSaves() { system_.FailAt(1, FakeSaveSystem::Call::Write); }
    // Whether a save came through and failed.
    bool Failed() const { return system_.Failed(); }

private:
    FakeSaveSystem system_;
    vemo::SaveSystemOverride override_{system_};
};

// count lines of encoded text, each ended by CR LF, as a table saves them.
inline std::string SaveContent(int count) {
    std::string content;
    for (int i = 0; i < count; ++i)
        content += "bmV3IGxpbmUgd2l0aCBzb21lIHRleHQ" + std::to_string(i) + "\r\n";
    return content;
}

} // namespace testsupport
