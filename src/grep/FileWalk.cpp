// The walk over the folders given: each folder's names read and sorted, links followed by stat, the
// folders being walked remembered by device and inode so that a link back to one of them is caught.
#include "grep/FileWalk.h"

#include "jcode/SystemReason.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <utility>

namespace brenvik {

namespace {

using TFolderId = std::pair<dev_t, ino_t>;

std::string KindOfSpecial(const struct stat& status)
{
    if (S_ISFIFO(status.st_mode))
        return "名前付きパイプ（FIFO）なので読みません。";
    if (S_ISSOCK(status.st_mode))
        return "ソケットなので読みません。";
    return "デバイスなので読みません。";
}

class TWalk {
public:
    TWalk(const TWalkOptions& options, const std::function<void(TGrepFile&&)>& found, const std::atomic<bool>* cancel)
        : options_(options)
        , found_(found)
        , cancel_(cancel)
    {
    }

    void Root(const std::string& path)
    {
        if (path == "-") {
            Tell(path, TGrepFile::goSearched, {});
            return;
        }
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            Tell(path, TGrepFile::goFailed, SystemReason(errno, TFileAct::Read));
            return;
        }
        if (S_ISDIR(status.st_mode))
            Folder(path, status, 0);
        else
            Entry(path, status, true);
    }

private:
    bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    void Tell(const std::string& path, TGrepFile::TOutcome outcome, std::string message)
    {
        TGrepFile file;
        file.Path = path;
        file.Outcome = outcome;
        file.Message = std::move(message);
        found_(std::move(file));
    }

    // A path that is no folder: searched when it is a regular file the globs let through.
    void Entry(const std::string& path, const struct stat& status, bool named)
    {
        if (!named && !GlobsAccept(options_.Globs, path.substr(path.rfind('/') + 1)))
            return;
        if (S_ISREG(status.st_mode))
            Tell(path, TGrepFile::goSearched, {});
        else
            Tell(path, TGrepFile::goSkipped, KindOfSpecial(status));
    }

    void Folder(const std::string& path, const struct stat& status, int depth)
    {
        const TFolderId id {status.st_dev, status.st_ino};
        if (std::find(walking_.begin(), walking_.end(), id) != walking_.end()) {
            Tell(path, TGrepFile::goFailed, "フォルダへのリンクが、それを含むフォルダを指して輪になっているので辿りません。");
            return;
        }
        if (options_.MaxDepth >= 0 && depth >= options_.MaxDepth)
            return;
        std::vector<std::string> names;
        if (!ReadNames(path, names))
            return;
        walking_.push_back(id);
        const std::string prefix = path.ends_with('/') ? path : path + "/";
        for (const std::string& name : names) {
            if (Cancelled())
                break;
            const std::string child = prefix + name;
            struct stat childStatus {};
            if (::stat(child.c_str(), &childStatus) != 0) {
                // A link to nothing is a file the user named wrongly somewhere: told, not searched.
                Tell(child, TGrepFile::goFailed, SystemReason(errno, TFileAct::Read));
                continue;
            }
            if (S_ISDIR(childStatus.st_mode))
                Folder(child, childStatus, depth + 1);
            else
                Entry(child, childStatus, false);
        }
        walking_.pop_back();
    }

    bool ReadNames(const std::string& path, std::vector<std::string>& names)
    {
        DIR* folder = ::opendir(path.c_str());
        if (!folder) {
            Tell(path, TGrepFile::goFailed, SystemReason(errno, TFileAct::Read, TFileThing::Folder));
            return false;
        }
        while (const dirent* entry = ::readdir(folder)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(name);
        }
        ::closedir(folder);
        std::sort(names.begin(), names.end());
        return true;
    }

    const TWalkOptions& options_;
    const std::function<void(TGrepFile&&)>& found_;
    const std::atomic<bool>* cancel_;
    std::vector<TFolderId> walking_;
};

} // namespace

bool GlobsAccept(const std::vector<std::string>& globs, const std::string& name)
{
    bool anyInclude = false;
    bool included = false;
    for (const std::string& glob : globs) {
        const bool exclude = glob.starts_with('!');
        const bool matches = ::fnmatch(exclude ? glob.c_str() + 1 : glob.c_str(), name.c_str(), 0) == 0;
        if (exclude && matches)
            return false;
        anyInclude = anyInclude || !exclude;
        included = included || (!exclude && matches);
    }
    return included || !anyInclude;
}

void WalkFiles(const std::vector<std::string>& roots, const TWalkOptions& options,
    const std::function<void(TGrepFile&&)>& found, const std::atomic<bool>* cancel)
{
    TWalk walk(options, found, cancel);
    for (const std::string& root : roots)
        walk.Root(root);
}

} // namespace brenvik
