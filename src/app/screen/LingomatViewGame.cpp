#include "screen/LingomatView.h"

#include <algorithm>
#include <string>

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include "game/LingomatDoc.h"
#include "matching/AccentEscapes.h"
#include "matching/AnswerForms.h"
#include "matching/LanguageNames.h"
#include "support/Cp1252.h"
#include "screen/ScreenFont.h"

namespace lingomat {

namespace {

// A rectangle given by its edges, as the layout of the screen is written.
QRect Box(int left, int top, int right, int bottom) {
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// A picture from images/ in the game folder; kept in Qt's cache between repaints.
QPixmap Picture(const QString& name) {
    QPixmap picture;
    const QString path = QStringLiteral("images/") + name;
    if (!QPixmapCache::find(path, &picture) && picture.load(path)) {
        QPixmapCache::insert(path, picture);
    }
    return picture;
}

QString FlagName(Language language, bool spanish) {
    switch (language) {
    case LanguageGerman:
        return QStringLiteral("flag-german.png");
    case LanguageEnglish:
        return spanish ? QStringLiteral("flag-spanish.png") : QStringLiteral("flag-british.png");
    default:
        return QStringLiteral("flag-french.png");
    }
}

// A stored word as the player reads it: escapes decoded, several answers joined with the asked
// one first.
QString Shown(const std::string& stored, std::uint32_t form = 0) {
    return ToQString(DisplayForm(DecodeAccents(stored), form));
}

QColor DefaultText() {
    return QColor(0, 0, 0);
}

} // namespace

QRect CLingomatView::AnswerTextBox() const {
    return Box(134, 72, LayoutWidth() - 102, 103);
}

QRect CLingomatView::AnswerTextRect() const {
    return ToDevice(AnswerTextBox());
}

void CLingomatView::DrawGameScreen(QPainter& painter) {
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    const bool spanish = IsSpanishDataSet(document.DataSetName());
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);

    // Flags of the question and the answer language, framed, the flag's top-left 165 x 74
    // pixels shrunk into the frame.
    const std::pair<Language, int> flags[] = {{document.questionLanguage, 10},
                                              {document.answerLanguage, 65}};
    for (const auto& [language, top] : flags) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(Box(10, top, 101, top + 41).adjusted(0, 0, -1, -1));
        const QPixmap flag = Picture(FlagName(language, spanish));
        if (!flag.isNull()) {
            painter.drawPixmap(QRect(11, top + 1, 89, 39), flag, QRect(0, 0, 165, 74));
        }
    }

    if (const Question* question = document.pool.Current()) {
        const QString text = Shown(question->questionText);
        const QRect area = Box(130, 10, w - 100, 90);
        const FontSpec font = FitFont({40, 11, 600}, text, area.width(), 100);
        painter.setFont(font.Font());
        painter.setPen(DefaultText());
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    }

    DrawAnswerArea(painter);

    painter.setFont(font());
    painter.setPen(DefaultText());
    painter.drawText(QPoint(10, 230 + painter.fontMetrics().ascent()),
                     ToQString(document.RemainingText()));

    // A skip has no verdict but a text: the skipped question's answer.
    if (document.LastVerdict() != -1 || !document.VerdictText().empty()) {
        const QColor colour = DrawVerdictPicture(painter, DefaultText());
        painter.setFont(ScreenFont(18, 8, 300));
        painter.setPen(colour);
        painter.drawText(Box(10, 250, w, h), Qt::AlignLeft | Qt::AlignTop,
                         ToQString(DecodeAccents(document.VerdictText())));
        // A skip's text names the answer and the question itself, on three lines that the
        // words would overlap.
        if (const VocEntry* previous = document.PreviousEntry();
            previous != nullptr && document.LastVerdict() != -1) {
            const Language q = document.questionLanguage;
            const Language a = document.answerLanguage;
            QString labels =
                ToQString(LanguageName(q, document.DataSetName())) + QStringLiteral(" (Frage):\n") +
                ToQString(LanguageName(a, document.DataSetName())) + QStringLiteral(" (Antwort):");
            QString words = Shown(previous->Text(q)) + QLatin1Char('\n') + Shown(previous->Text(a));
            if (!spanish && q != a) {
                const Language third = 3 - q - a;
                const char* label = third == LanguageGerman    ? "Deutsch:"
                                    : third == LanguageEnglish ? "Englisch"
                                                               : "Franz\xC3\xB6sisch:";
                labels += QLatin1Char('\n') + QString::fromUtf8(label);
                words += QLatin1Char('\n') + Shown(previous->Text(third));
            }
            painter.drawText(Box(10, 280, 210, h), Qt::AlignLeft | Qt::AlignTop, labels);
            painter.drawText(Box(210, 280, w - 60, h), Qt::AlignLeft | Qt::AlignTop, words);
        }
        painter.setFont(font());
        painter.setPen(DefaultText());
        painter.drawText(Box(10, 355, w - 60, h), Qt::AlignLeft | Qt::AlignTop,
                         ToQString(document.TallyText()));
    } else {
        painter.setFont(ScreenFont(25, 12, 300));
        painter.setPen(QColor(255, 0, 0));
        painter.drawText(Box(10, 300, w - 150, h), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Hinweis:"));
        // An empty tip list gives no tip, and the hint then stands alone.
        painter.setFont(font());
        painter.setPen(DefaultText());
        painter.drawText(Box(10, 325, w - 150, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         ToQString(document.RandomTip()));
    }
    painter.restore();
    // The clock comes after the verdict picture, whose top it shares: the time stays readable.
    DrawClock(painter);
    DrawScoreBar(painter);
}

// Under the verdict picture, whose top (the rabbit's ears) would cover it.
QRect CLingomatView::ClockBox() const {
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    return Box(w - 225, h - 28, w - 99, h - 4);
}

void CLingomatView::DrawClock(QPainter& painter) {
    painter.save();
    painter.setFont(ScreenFont(16, 10, 200));
    painter.setPen(DefaultText());
    painter.drawText(ClockBox(), Qt::AlignHCenter | Qt::AlignTop, ToQString(document.ClockText()));
    painter.restore();
}

FontSpec CLingomatView::AnswerFontSpec(const QString& shown) const {
    const int room = AnswerTextBox().width();
    FontSpec font{30, 12, 600};
    if (document.ModeTraits().showsTemplate && document.pool.Current() != nullptr) {
        // The answer takes the width the copy template beneath it was given.
        const QString copy = ToQString(DecodeAccents(document.CopyTemplate()));
        font = FitFont({30, 12, 600, true}, copy, room, 50);
    }
    return FitFont({30, font.width, 50 * font.width}, shown, room, 50);
}

void CLingomatView::DrawAnswerArea(QPainter& painter) {
    const int w = LayoutWidth();
    const Question* question = document.pool.Current();
    painter.save();
    if (document.ModeTraits().choice) {
        const auto& texts = document.Round().texts;
        const int count =
            static_cast<int>(std::min<std::size_t>(document.ChoiceCount(), texts.size()));
        painter.setPen(QColor(0, 0, 80));
        painter.setBrush(Qt::NoBrush);
        // Room below the last line for its descenders.
        painter.drawRect(Box(130, 70, w - 100, 78 + 30 * count).adjusted(0, 0, -1, -1));
        std::vector<QString> lines;
        FontSpec font{30, 12, 600};
        for (int i = 0; i < count; ++i) {
            // A slot the round could not fill stays blank, without its number.
            QString line;
            if (!texts[i].empty()) {
                line = Shown(texts[i]);
                if (document.ShowsNumbers() && i < 5) {
                    line.prepend(QStringLiteral("%1: ").arg(i + 1));
                }
            }
            font = FitFont(font, line, w - 102 - 134, 50);
            lines.push_back(line);
        }
        painter.setFont(font.Font());
        for (int i = 0; i < count; ++i) {
            QColor colour(0, 0, 170);
            if (static_cast<std::size_t>(i) == document.Round().correctChoice) {
                if (document.IsVerdictShowing() && document.LastVerdict() == 1) {
                    colour = QColor(0, 220, 0);
                } else if (document.IsVerdictShowing() && document.LastVerdict() == 0) {
                    colour = QColor(220, 0, 0);
                } else if (!document.IsVerdictShowing() && document.IsGlimpsing()) {
                    colour = QColor(170, 50, 50);
                }
            }
            painter.setPen(colour);
            // Set in from the frame as the typed answer is, so the numbers clear its line.
            painter.drawText(Box(134, 76 + 30 * i, w - 102, 76 + 30 * (i + 1)),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines[i]);
        }
        painter.restore();
        return;
    }

    QColor state(0, 0, 175);
    if (document.IsVerdictShowing()) {
        state = document.LastVerdict() == 1 ? QColor(0, 220, 0) : QColor(220, 0, 0);
    } else if (document.IsGlimpsing()) {
        state = QColor(0, 60, 175);
    }
    painter.setPen(state);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Box(130, 70, w - 100, 105).adjusted(0, 0, -1, -1));
    const QRect textRect = AnswerTextBox();

    if (document.ModeTraits().showsTemplate && question != nullptr) {
        const QString copy = ToQString(DecodeAccents(document.CopyTemplate()));
        FontSpec underlined{30, 12, 600, true};
        underlined = FitFont(underlined, copy, textRect.width(), 50);
        painter.setFont(underlined.Font());
        painter.setPen(FormCount(question->answerText) > 1 ? QColor(170, 240, 14)
                                                           : QColor(255, 200, 200));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, copy);
    }

    QString shown;
    if (document.IsGlimpsing() && question != nullptr) {
        shown = ToQString(document.ShownAnswer());
    } else if (document.ModeTraits().revealsItself) {
        shown = ToQString(document.RevealedAnswer());
    } else {
        shown = ToQString(document.TypedAnswer());
    }
    // The caret is measured with the font the answer is drawn in, so it stays at its end.
    const QFont answerFont = AnswerFontSpec(shown).Font();
    painter.setFont(answerFont);
    painter.setPen(state);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, shown);

    if (!document.IsVerdictShowing() && !document.IsGlimpsing() &&
        !document.ModeTraits().revealsItself) {
        const QFontMetrics metrics(answerFont);
        const QString typed = ToQString(document.TypedAnswer());
        const int x =
            134 + metrics.horizontalAdvance(typed.left(static_cast<int>(document.CursorPos()))) - 1;
        painter.setPen(DefaultText());
        painter.drawLine(x, 72, x, 72 + metrics.height());
    }
    painter.restore();
}

QColor CLingomatView::DrawVerdictPicture(QPainter& painter, const QColor& textColour) {
    if (document.LastVerdict() != 0 && document.LastVerdict() != 1) {
        return textColour;
    }
    const bool right = document.LastVerdict() == 1;
    const QString name = QStringLiteral("%1-%2-126.png")
                             .arg(document.Feedback().useRabbits ? QStringLiteral("rabbit")
                                                                 : QStringLiteral("smiley"),
                                  right ? QStringLiteral("happy") : QStringLiteral("sad"));
    // The picture's surround is transparent, which gives what the mask gave: the background
    // colour shows around the figure.
    const QPixmap picture = Picture(name);
    if (!picture.isNull()) {
        painter.drawPixmap(QRect(LayoutWidth() - 225, LayoutHeight() - 155, 126, 126), picture);
    }
    return right ? QColor(0, 150, 0) : QColor(255, 0, 0);
}

void CLingomatView::DrawViewModeScreen(QPainter& painter) {
    const int w = LayoutWidth();
    const int h = LayoutHeight();
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(ScreenFont(80, 30, 600));
    painter.setPen(DefaultText());
    if (const Question* question = document.pool.Current()) {
        painter.drawText(Box(0, 0, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         Shown(question->questionText));
        painter.drawText(Box(0, h / 2, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         ToQString(document.RevealedAnswer()));
    }
    painter.restore();
}

} // namespace lingomat
