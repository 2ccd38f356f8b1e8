// The safe save: the new content into a temporary file beside the target, renamed over it.
#include "data/store/DataFile.h"

#include "data/store/Errors.h"
#include "data/store/SaveSystem.h"
#include "data/store/private/NativeFile.h"

#include <algorithm>
#include <atomic>

namespace vemo {

namespace {

std::atomic<unsigned> tempCounter{0};

// The system a test has put in place of the operating system's for the saves of its thread.
thread_local SaveSystem* overriddenSystem = nullptr;

template <typename Content> void SaveNatively(const std::string& fileName, const Content& content) {
    if (overriddenSystem) {
        SaveDataFile(fileName, content, *overriddenSystem);
        return;
    }
    NativeSaveSystem system;
    SaveDataFile(fileName, content, system);
}

} // namespace

std::string TempName(const std::string& target, unsigned processId) {
    return FolderOf(target) + "vemo-" + std::to_string(processId) + "-" +
           std::to_string(tempCounter.fetch_add(1)) + ".tmp";
}

SaveSystemOverride::SaveSystemOverride(SaveSystem& system) : previous_(overriddenSystem) {
    overriddenSystem = &system;
}

SaveSystemOverride::~SaveSystemOverride() {
    overriddenSystem = previous_;
}

void SaveDataFile(const std::string& fileName, std::string_view content) {
    SaveNatively(fileName, content);
}

void SaveDataFile(const std::string& fileName, std::string_view content, SaveSystem& system) {
    SaveDataFile(
        fileName, [content](const auto& put) { put(content); }, system);
}

void SaveDataFile(const std::string& fileName, const ContentPieces& content) {
    SaveNatively(fileName, content);
}

void SaveDataFile(const std::string& fileName, const ContentPieces& content, SaveSystem& system) {
    std::string problem;
    const std::string target = ReplacedFile(fileName, problem);
    if (problem.empty())
        problem = TargetProblem(target);
    if (!problem.empty())
        throw FileError(fileName, std::move(problem));

    std::string temp;
    if (!system.CreateTemp(target, temp))
        throw FileError(fileName, system.Reason());

    // Whatever stops the save from here to the rename (a failed call, no memory for the waiting
    // bytes, any exception from the content) takes the temporary file with it. Every throw
    // below takes the failed call's reason before this runs.
    struct Temporary {
        SaveSystem& system;
        const std::string& name;
        bool open = true;
        bool renamed = false;
        ~Temporary() {
            if (renamed)
                return;
            if (open)
                system.Close();
            system.Remove(name);
        }
    } temporary{system, temp};

    // Writes from the front of bytes while a whole block is there (or, when last, while
    // anything is); returns how many bytes went out. Every write starts at the first byte not
    // yet written, so the writes are those of the content in one piece.
    const auto write = [&](std::string_view bytes, bool last) {
        std::size_t done = 0;
        while (bytes.size() - done >= kSaveWriteBlock || (last && done < bytes.size())) {
            const long long written =
                system.Write(bytes.data() + done, std::min(bytes.size() - done, kSaveWriteBlock));
            if (written <= 0)
                throw WriteError(system.Reason());
            done += std::min(bytes.size() - done, static_cast<std::size_t>(written));
        }
        return done;
    };
    // Less than a block waits here for the next piece; a piece that arrives while nothing
    // waits goes out without being copied.
    std::string waiting;
    content([&](std::string_view piece) {
        if (waiting.empty()) {
            piece.remove_prefix(write(piece, false));
            waiting.assign(piece);
            return;
        }
        waiting.append(piece);
        waiting.erase(0, write(waiting, false));
    });
    write(waiting, true);

    if (!system.KeepAttributes(target))
        throw FileError(fileName, system.Reason());
    if (!system.Sync())
        throw WriteError(system.Reason());
    temporary.open = false;
    if (!system.Close())
        throw WriteError(system.Reason());
    if (!system.Rename(temp, target))
        throw FileError(fileName, system.Reason());
    temporary.renamed = true;
    // The new content is in place; only whether it survives a power cut is in doubt.
    if (!system.SyncFolder(target))
        throw WriteError(system.Reason());
}

} // namespace vemo
