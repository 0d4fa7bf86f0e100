// Faces as the font system lists them and the font dialog: the face in use shown and selected
// whatever name was stored (IPAGothic is listed as "IPAゴシック" in a Japanese session; ctest
// runs these tests again under LANG=ja_JP.UTF-8), fixed-pitch Japanese faces first, OK without
// a change changing nothing, and the style left alone.
#include "editor/FontFamilies.h"
#include "options/FontPickDialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

const QString kIpa = QStringLiteral("IPAGothic");
const QString kIpaLocal = QStringLiteral("IPAゴシック");
const QString kDejaVuMono = QStringLiteral("DejaVu Sans Mono");

QStringList Listed(const QListWidget& list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    return names;
}

TEST(FontFamilies, StoredNamesResolveToTheListedFaceInUse)
{
    const QString inUse = FamilyInUse(kIpa);
    EXPECT_TRUE(QFontDatabase::families().contains(inUse)) << inUse.toStdString();
    EXPECT_EQ(FamilyInUse(kIpaLocal), inUse) << "both names of one face";
    EXPECT_EQ(FamilyInUse(kDejaVuMono), kDejaVuMono);
    // A face that is not installed shows the face drawn instead.
    EXPECT_TRUE(QFontDatabase::families().contains(FamilyInUse(QStringLiteral("No Such Face Brenvik"))));
}

TEST(FontFamilies, FixedPitchJapaneseFacesComeFirstAndAloneUnlessAllAreAsked)
{
    const QString ipa = FamilyInUse(kIpa);
    const QString proportional = FamilyInUse(QStringLiteral("IPAPGothic"));
    ASSERT_NE(ipa, proportional);
    EXPECT_TRUE(IsFixedPitchFamily(ipa)) << "half-width cells of one width";
    EXPECT_FALSE(IsFixedPitchFamily(proportional));

    const QStringList japanese = GridFamilies(false);
    EXPECT_TRUE(japanese.contains(ipa));
    EXPECT_FALSE(japanese.contains(proportional));
    EXPECT_FALSE(japanese.contains(kDejaVuMono)) << "no Japanese glyphs";

    const QStringList all = GridFamilies(true);
    EXPECT_EQ(all.mid(0, japanese.size()), japanese);
    EXPECT_TRUE(all.contains(kDejaVuMono));
    EXPECT_TRUE(all.contains(proportional));
    EXPECT_LT(all.indexOf(kDejaVuMono), all.indexOf(QStringLiteral("DejaVu Sans"))) << "fixed pitch before the rest";
}

TEST(FontPickDialog, OpensOnTheFaceInUseAndOkWithoutAChangeKeepsTheStoredName)
{
    QFont stored(kIpa, 11);
    stored.setBold(true);
    TFontPickDialog dialog(stored);
    ASSERT_NE(dialog.lbxFamily->currentItem(), nullptr);
    EXPECT_EQ(dialog.lbxFamily->currentItem()->text(), FamilyInUse(kIpa));
    EXPECT_EQ(dialog.speSize->value(), 11);
    EXPECT_EQ(dialog.SelectedFont(), stored);
    EXPECT_EQ(dialog.SelectedFont().family(), kIpa);
    // Showing every face keeps the selection and adds faces after the Japanese ones.
    const int shown = dialog.lbxFamily->count();
    dialog.cbxAllFonts->setChecked(true);
    EXPECT_GT(dialog.lbxFamily->count(), shown);
    EXPECT_EQ(dialog.lbxFamily->currentItem()->text(), FamilyInUse(kIpa));
}

TEST(FontPickDialog, AnotherFaceAndSizeComeBackWithTheStyleAsItWas)
{
    QFont stored(kIpa, 10);
    stored.setItalic(false);
    TFontPickDialog dialog(stored);
    dialog.cbxAllFonts->setChecked(true);
    const auto found = dialog.lbxFamily->findItems(kDejaVuMono, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    dialog.lbxFamily->setCurrentItem(found.front());
    dialog.speSize->setValue(14);
    const QFont chosen = dialog.SelectedFont();
    EXPECT_EQ(chosen.family(), kDejaVuMono);
    EXPECT_EQ(chosen.pointSize(), 14);
    EXPECT_FALSE(chosen.italic()) << "the face's styles are not offered, so none is picked";
    EXPECT_FALSE(chosen.bold());
}

TEST(FontPickDialog, AFaceOutsideTheOfferedOnesIsStillListedAndSelected)
{
    TFontPickDialog dialog(QFont(kDejaVuMono, 9));
    EXPECT_FALSE(GridFamilies(false).contains(kDejaVuMono));
    EXPECT_TRUE(Listed(*dialog.lbxFamily).contains(kDejaVuMono));
    EXPECT_EQ(dialog.lbxFamily->currentItem()->text(), kDejaVuMono);
}

} // namespace
} // namespace brenvik
