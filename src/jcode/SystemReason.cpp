// Failed system calls in Japanese.
#include "jcode/SystemReason.h"

#include <cerrno>

namespace brenvik {

std::string SystemReason(int error, TFileAct act, TFileThing thing)
{
    const std::string what = thing == TFileThing::Folder ? "フォルダ" : "ファイル";
    const std::string verb = act == TFileAct::Read ? "読む" : "書き込む";
    switch (error) {
    case ENOENT:
        return what + "が見つかりません。";
    case EACCES:
        return what + "に" + verb + "権限がありません。";
    case EPERM:
        return what + "は変更できない設定（変更不可の属性など）になっています。";
    case EROFS:
        return what + "は読み取り専用のファイルシステムにあります。";
    case ENOSPC:
    case EDQUOT:
        return "ディスクの空きが足りません。";
    case EFBIG:
        return "ファイルが大きすぎます。";
    case EISDIR:
        return "フォルダです。ファイルを指定してください。";
    case ENOTDIR:
        return "パスの途中にフォルダでないものがあります。";
    case ENAMETOOLONG:
        return "名前が長すぎます。";
    case ELOOP:
        return "シンボリックリンクが循環しています。";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます。";
    case ETXTBSY:
    case EBUSY:
        return what + "は使用中です。";
    case EIO:
        return "入出力エラーが発生しました（ディスクや接続を確認してください）。";
    case ENOMEM:
        return "メモリが足りません。";
    case EINVAL:
        return what + "はこの操作に対応していません。";
    case 0:
        return what + (act == TFileAct::Read ? "を読めませんでした。" : "に書き込めませんでした。");
    default:
        return what + (act == TFileAct::Read ? "を読めませんでした" : "に書き込めませんでした")
            + "（システムのエラー番号 " + std::to_string(error) + "）。";
    }
}

} // namespace brenvik
