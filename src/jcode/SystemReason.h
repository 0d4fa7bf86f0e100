// Why a system call on a file or a folder failed, as one Japanese sentence that names the thing
// it failed on; the system's own English text is never shown.
#pragma once

#include <string>

namespace brenvik {

enum class TFileAct { Read, Write };
enum class TFileThing { File, Folder };

// error is the errno of the failing call.
std::string SystemReason(int error, TFileAct act, TFileThing thing = TFileThing::File);

} // namespace brenvik
