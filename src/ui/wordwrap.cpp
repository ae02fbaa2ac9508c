#include "ui/wordwrap.h"

// Lays a paragraph out the way the original labels did: greedy by words, a line break swallows
// the blanks it falls on (so a long run of blanks turns into a line break), and a word wider
// than the label is cut where it must be.
void wrapParagraph(const QString& para, const QFontMetrics& fm, int width, QStringList& out) {
    QString line;
    bool lineStarted = false;
    const qsizetype n = para.size();
    qsizetype i = 0;
    auto pushWordPieces = [&](QString word) {
        while (fm.horizontalAdvance(word) > width && word.size() > 1) {
            qsizetype cut = 1;
            while (cut < word.size() && fm.horizontalAdvance(word.left(cut + 1)) <= width) {
                ++cut;
            }
            if (cut < word.size() && word.at(cut - 1).isHighSurrogate()) {
                --cut; // never split a character in two
                if (cut == 0) {
                    cut = 2;
                }
            }
            out << word.left(cut);
            word = word.mid(cut);
        }
        line = word;
        lineStarted = true;
    };
    while (i < n) {
        const qsizetype s = i;
        while (i < n && para.at(i) == QLatin1Char(' ')) {
            ++i;
        }
        const QString spaces = para.mid(s, i - s);
        const qsizetype w = i;
        while (i < n && para.at(i) != QLatin1Char(' ')) {
            ++i;
        }
        const QString word = para.mid(w, i - w);
        if (word.isEmpty()) {
            line += spaces; // trailing blanks stay on the line they end
            lineStarted = true;
            break;
        }
        const QString candidate = line + spaces + word;
        if (!lineStarted || fm.horizontalAdvance(candidate) <= width) {
            if (fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                lineStarted = true;
            } else {
                pushWordPieces(candidate);
            }
        } else {
            out << line;
            pushWordPieces(word);
        }
    }
    out << line;
}
