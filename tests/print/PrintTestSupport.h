// Shared set-up of the printing tests: answered prompts, a fixed clock, PDF output into a
// temporary folder, and poppler's tools to read what was printed.
#pragma once

#include "common/FakePrompts.h"

#include "print/PrintLines.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace brenvik::test {

// Answers the prompts (Messages: what the printer told the user; PdfAnswer: the file the PDF
// prompt answers) and replaces the clock for one test, and puts both back after it.
class PrintFixture : public ::testing::Test, public TFakePromptsOf<TPrompts> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The current printer writes A4 portrait PDF to a file in the temporary folder.
    QString PdfPath(const QString& name = QStringLiteral("out.pdf"));

    QTemporaryDir Folder;

private:
    std::optional<TInstalledPrompts> FInstalled;
};

// Shift_JIS bytes of a UTF-8 literal.
std::string Sjis(const char* utf8);
TVectorLines SjisLines(const std::vector<const char*>& utf8);

int PdfPageCount(const QString& pdf);
// The words of one page with their left edges in points, by pdftotext -bbox, in reading order.
std::vector<std::pair<QString, double>> PdfWordLefts(const QString& pdf, int page);
// A field of pdfinfo's report ("Title"), trimmed.
QString PdfInfoField(const QString& pdf, const QString& field);
// The text of one page (1-based), by pdftotext.
QString PdfPageText(const QString& pdf, int page);
// The text of one page inside area, in points (1/72 inch) from the sheet's top left.
QString PdfAreaText(const QString& pdf, int page, const QRect& area);
// One page rendered at dpi.
QImage PdfPageImage(const QString& pdf, int page, int dpi);
// Whether any pixel in rect (image pixels) is darker than light grey.
bool HasInk(const QImage& image, const QRect& rect);

} // namespace brenvik::test
