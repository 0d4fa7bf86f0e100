// The word-wrap settings of a row list: width and the Japanese line-start and line-end rules.
#pragma once

#include "support/NotifyPersistent.h"

#include <QByteArray>

#include <string>

namespace brenvik {

// The character sets are Shift_JIS bytes; membership compares whole characters.
// Invariant: 20 <= WrapByte() <= 250.
class TEditorWrapOption : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(int WrapByte READ WrapByte WRITE SetWrapByte)
    Q_PROPERTY(bool WordBreak READ WordBreak WRITE SetWordBreak)
    Q_PROPERTY(bool FollowPunctuation READ FollowPunctuation WRITE SetFollowPunctuation)
    Q_PROPERTY(QByteArray PunctuationStr READ PunctuationBytes WRITE SetPunctuationBytes)
    Q_PROPERTY(bool Leading READ Leading WRITE SetLeading)
    Q_PROPERTY(QByteArray LeadStr READ LeadBytes WRITE SetLeadBytes)
    Q_PROPERTY(QByteArray FollowStr READ FollowBytes WRITE SetFollowBytes)
    Q_PROPERTY(bool FollowRetMark READ FollowRetMark WRITE SetFollowRetMark)
public:
    static constexpr int MinWrapByte = 20;
    static constexpr int MaxWrapByte = 250;

    explicit TEditorWrapOption(QObject* parent = nullptr);

    int WrapByte() const { return FWrapByte; }
    void SetWrapByte(int value);
    bool WordBreak() const { return FWordBreak; }
    void SetWordBreak(bool value) { SetField(FWordBreak, value); }
    bool FollowPunctuation() const { return FFollowPunctuation; }
    void SetFollowPunctuation(bool value) { SetField(FFollowPunctuation, value); }
    const std::string& PunctuationStr() const { return FPunctuationStr; }
    void SetPunctuationStr(const std::string& value) { SetField(FPunctuationStr, value); }
    bool Leading() const { return FLeading; }
    void SetLeading(bool value) { SetField(FLeading, value); }
    const std::string& LeadStr() const { return FLeadStr; }
    void SetLeadStr(const std::string& value) { SetField(FLeadStr, value); }
    const std::string& FollowStr() const { return FFollowStr; }
    void SetFollowStr(const std::string& value) { SetField(FFollowStr, value); }
    bool FollowRetMark() const { return FFollowRetMark; }
    void SetFollowRetMark(bool value) { SetField(FFollowRetMark, value); }

    QByteArray PunctuationBytes() const { return QByteArray::fromStdString(FPunctuationStr); }
    void SetPunctuationBytes(const QByteArray& value) { SetPunctuationStr(value.toStdString()); }
    QByteArray LeadBytes() const { return QByteArray::fromStdString(FLeadStr); }
    void SetLeadBytes(const QByteArray& value) { SetLeadStr(value.toStdString()); }
    QByteArray FollowBytes() const { return QByteArray::fromStdString(FFollowStr); }
    void SetFollowBytes(const QByteArray& value) { SetFollowStr(value.toStdString()); }

private:
    int FWrapByte = 80;
    bool FWordBreak = false;
    bool FFollowPunctuation = false;
    std::string FPunctuationStr;
    bool FLeading = false;
    std::string FLeadStr;
    std::string FFollowStr;
    bool FFollowRetMark = false;
};

// True when the character (one or two bytes) is one of the characters of set.
bool ContainsChar(std::string_view set, std::string_view character);

} // namespace brenvik
