#include "ui/fonts.h"
#include "ui/wordwrap.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

// Widths are given as the text that just fits, so the cases hold for any font.
struct WrapCase {
    const char* name;
    QString paragraph;
    QString fits;
    std::vector<QString> lines;
};

void PrintTo(const WrapCase& c, std::ostream* os) {
    *os << c.name;
}

class WordWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WordWrap, LaysTheParagraphOutLikeTheLabels) {
    const WrapCase& c = GetParam();
    const QFontMetrics fm(gameFont({Face::MSSansSerif, 9.75, true}));
    QStringList out;
    wrapParagraph(c.paragraph, fm, fm.horizontalAdvance(c.fits), out);
    EXPECT_EQ(out, QStringList(c.lines.begin(), c.lines.end()))
        << out.join(QLatin1Char('|')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WordWrap,
    ::testing::Values(
        WrapCase{"FitsOnOneLine",
                 QStringLiteral("Нет денег"),
                 QStringLiteral("Нет денег"),
                 {QStringLiteral("Нет денег")}},
        WrapCase{"GreedyByWords",
                 QStringLiteral("aa bb cc dd"),
                 QStringLiteral("aa bb c"),
                 {QStringLiteral("aa bb"), QStringLiteral("cc dd")}},
        // The blanks a break falls on go, however many: the help text joins its two
        // paragraphs this way.
        WrapCase{"ABreakSwallowsItsBlanks",
                 QStringLiteral("aa") + QString(76, QLatin1Char(' ')) + QStringLiteral("bb"),
                 QStringLiteral("aa bb"),
                 {QStringLiteral("aa"), QStringLiteral("bb")}},
        WrapCase{"TrailingBlanksStay",
                 QStringLiteral("aa  "),
                 QStringLiteral("aa bb cc"),
                 {QStringLiteral("aa  ")}},
        WrapCase{"LeadingBlanksStay",
                 QStringLiteral(" aa"),
                 QStringLiteral("aa bb"),
                 {QStringLiteral(" aa")}},
        WrapCase{"AnEmptyParagraphIsOneEmptyLine", QString(), QStringLiteral("aa"), {QString()}},
        WrapCase{"AWordTooWideIsCut",
                 QStringLiteral("abcabcab"),
                 QStringLiteral("abc"),
                 {QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("ab")}},
        WrapCase{"ACutWordGoesOnAfterTheLineBefore",
                 QStringLiteral("x abcabc"),
                 QStringLiteral("abc"),
                 {QStringLiteral("x"), QStringLiteral("abc"), QStringLiteral("abc")}}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
