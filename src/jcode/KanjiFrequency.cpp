// The common kanji, listed roughly by how often newspapers and web pages use them.
#include "jcode/KanjiFrequency.h"

#include "jcode/Cp932Table.h"
#include "jcode/VendorRows.h"

#include <QString>

#include <bitset>

namespace brenvik {

namespace {

// About 700 kanji that cover most of the kanji of ordinary Japanese text (and of the words scripts show:
// 掲示板, 投稿, 管理, 削除, 表示...).
constexpr char16_t kCommon[] = u"日一国会人年大十二本中長出三同時政事自行社見月分議後前民生連五発間対上部東者党地合"
                               u"市業内相方四定今回新場金員九入選立開手米力学問高代明実円関決子動京全目表戦経通外最"
                               u"言氏現理調体化田当八六約主題下首意法不来作性的要用制治度務強気小七成期公持野協取都"
                               u"和統以機平総加山思家話世受区領多県続進正安設保改数記院女初北午指権心界支第産結百派"
                               u"点教報済書府活原先共得解名交資予川向際査勝面委告軍文反元重近千考判認画海参売利組知"
                               u"案道信策集在件団別物側任引使求所次水半品昨論計死官増係感特情投示変打男基私各始島直"
                               u"両朝革価式確村提運終挙果西勢減台広容必応演電歳住争談能無再位置企真流格有疑口過局少"
                               u"放税検藤町常校料沢裁状工建語球営空職証土与急止送援供可役構木割聞身費付施切由説転食"
                               u"比難防補車優夫研収断井何南石足違消境神番規術護展態導鮮備宅害配副算視条幹独警宮究育"
                               u"席輸訪楽起万着乗店述残想線率病農州武声質念待試族象銀域助労例衛然早張映限親額監環験"
                               u"追審商葉義伝働形景落欧担好退準賞訴辺造英被株頭技低毎医復仕去姿味負閣韓渡失移差衆個"
                               u"門写評課末守若脳極種美岡影命含福蔵量望松非撃佐核観察整段横融型白深字答夜製票況音申"
                               u"様財港識注呼渉達良響阪帰針専推谷古候史天階程満敗管値歌買突兵接請器士光討路悪科攻崎"
                               u"督授催細効図週積丸他及湾録処省旧室憲太橋歩離岸客風紙激否周師摘材登系批郎母易健黒火"
                               u"戸速存花春飛殺央券赤号単盟座青破編捜竹除完降超責並療従右修捕隊危採織森競拡故館振給"
                               u"屋介読弁根色友苦就迎走販園具左異掲板稿削索更覧替択返信登録削除送信管理者掲示板投稿"
                               u"件名前後日付時刻年月週曜内容本文題名前回次頁覧表示非表示設定変更保存読込書込開閉終了"
                               u"開始入力出力画像写真文字列数値番号記号氏住所電話郵便番号携帯連絡先問合確認完了失敗成"
                               u"功注意警告禁止許可必須任意選択検索結果該当順序昇降最新古旧新着記事一覧詳細戻進次前"
                               u"商品価格税込在庫購入注文決済方法配送料無料会員登録退会認証暗号解除変換文章段落行列"
                               u"項目欄枠色形大小太細線点円角丸背景枠外部内部全半英語漢字仮名片平鍵秘密顧客様宛返答"
                               u"感想意見質問回答相談案内説明使用利用規約個人情報保護方針運営者著作権転載禁止無断複製"
                               u"写真集動画音楽映画本誌雑誌新聞放送番組天気予報占結婚恋愛仕事学校先生生徒学生子供親";

std::bitset<94 * 94> BuildCommon()
{
    std::bitset<94 * 94> cells;
    const QString list = QString::fromUtf16(kCommon);
    for (const QChar c : list) {
        const TSjisCode code = UnicodeToCp932(c.unicode());
        if (code <= 0xFF) {
            continue;
        }
        const TBytePair jis = SjisToJisCode(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF));
        if (jis[0] >= 0x21 && jis[0] <= 0x7E && jis[1] >= 0x21 && jis[1] <= 0x7E) {
            cells.set(static_cast<std::size_t>((jis[0] - 0x21) * 94 + (jis[1] - 0x21)));
        }
    }
    return cells;
}

} // namespace

bool IsCommonKanji(std::uint8_t row, std::uint8_t cell)
{
    static const std::bitset<94 * 94> common = BuildCommon();
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) {
        return false;
    }
    return common.test(static_cast<std::size_t>((row - 0x21) * 94 + (cell - 0x21)));
}

} // namespace brenvik
