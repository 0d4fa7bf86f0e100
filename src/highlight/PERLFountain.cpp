// The Perl highlighting definition: its colours, default extensions and built-in words.
#include "highlight/PERLFountain.h"

#include "highlight/PERLFountainParser.h"

namespace brenvik {

TPERLFountain::TPERLFountain(QObject* owner)
    : TFountain(owner)
    , FAnk(CreateColor())
    , FComment(CreateColor())
    , FDBCS(CreateColor())
    , FInt(CreateColor())
    , FStr(CreateColor())
    , FSymbol(CreateColor())
    , FVariable(CreateColor())
    , FArrangement(CreateColor())
    , FAssocArr(CreateColor())
    , FSubRoutineCall(CreateColor())
    , FSubRoutine(CreateColor())
    , FSearchStr(CreateColor())
    , FKeyWordStr(CreateColor())
    , FTrailBackslash(CreateColor())
{
    InitFileExtList();
    for (const std::string& word : BuiltInReservedWords())
        ReserveWordList()->Add(word);
}

TPERLFountain::~TPERLFountain() = default;

void TPERLFountain::InitFileExtList()
{
    for (const char* ext : {".cgi", ".pl", ".pm"})
        FileExtList()->Add(ext);
}

void TPERLFountain::SetPerlGrammar(bool value)
{
    if (value == FPerlGrammar)
        return;
    FPerlGrammar = value;
    // The editors rescan every row with the other rules.
    NotifyList().Changed();
}

void TPERLFountain::SetTrailBytesEscape(bool value)
{
    if (value == FTrailBytesEscape)
        return;
    FTrailBytesEscape = value;
    NotifyList().Changed();
}

std::unique_ptr<TFountainParser> TPERLFountain::CreateParser()
{
    return std::make_unique<TPERLFountainParser>(this);
}

const std::vector<std::string>& TPERLFountain::BuiltInReservedWords()
{
    static const std::vector<std::string> words = {"accept", "alarm", "and", "atan2", "bind", "binmode",
        "bless", "caller", "chdir", "chmod", "chomp", "chop", "chown", "chr", "chroot", "close", "closedir",
        "cmp", "connect", "continue", "cos", "crypt", "dbmclose", "dbmopen", "defined", "delete", "die", "do",
        "dump", "each", "else", "elsif", "endgrend", "endhostent", "endnetent", "endprotoent", "endpwent",
        "endservent", "eof", "eq", "eval", "exec", "exists", "exit", "exp", "fcntl", "fileno", "flock", "for",
        "foreach", "fork", "format", "formline", "ge", "getc", "getgrent", "getgrgid", "getgrname",
        "gethostbyaddr", "gethostbyname", "gethostent", "getlogin", "getnetbyaddr", "getnetbyname",
        "getnetent", "getpeername", "getpgrp", "getppid", "getpriority", "getprotobyname", "getprotobynumber",
        "getprotoent", "getpwent", "getpwnam", "getpwuid", "getservbyname", "getservbyport", "getservent",
        "getsockname", "getsockopt", "glob", "gmtime", "goto", "grep", "gt", "hex", "if", "import", "index",
        "int", "ioctl", "join", "keys", "kill", "last", "lc", "lcfirst", "le", "length", "link", "listen",
        "local", "localtime", "log", "lstat", "lt", "m", "map", "mkdir", "msgctl", "msgget", "msgrcv",
        "msgsnd", "my", "ne", "next", "no", "not", "oct", "open", "opendir", "or", "ord", "pack", "package",
        "pipe", "pop", "pos", "print", "printf", "push", "q", "qq", "quotemeta", "qw", "qx", "rand", "read",
        "readdir", "readlink", "recv", "redo", "ref", "rename", "require", "reset", "return", "reverse",
        "rewinddir", "rindex", "rmdir", "s", "scalar", "seek", "seekdir", "select", "semctl", "semget",
        "semop", "send", "setgrent", "sethostent", "setnetent", "setpgrp", "setpriority", "setprotoent",
        "setpwent", "setservent", "setsockopt", "shift", "shmctl", "shmget", "shmread", "shmwrite",
        "shutdown", "sin", "sleep", "socket", "socketpair", "sort", "splice", "split", "sprintf", "sqrt",
        "srand", "stat", "study", "sub", "substr", "symlink", "syscall", "sysopen", "sysread", "system",
        "syswrite", "tell", "telldir", "tie", "tied", "time", "times", "tr", "truncate", "uc", "ucfirst",
        "umask", "undef", "unless", "unlink", "unpack", "unshift", "until", "untie", "use", "utime", "values",
        "vec", "wait", "waitpid", "wantarray", "warn", "while", "write", "x", "xor", "y"};
    return words;
}

} // namespace brenvik
