#include "reports/print_form_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "platform/twips.h"

namespace qb {

namespace {

constexpr int kTwipsPerPoint = 20;
constexpr int kPadding = 30;
constexpr double kSmallestShrink = 0.6;
// 3 points: still legible on paper.
constexpr int kSmallestWrappedText = 60;
// Above and below two lines of a name in its box.
constexpr int kBoxTextMargin = 10;

const char* const kProductTitle = "Quorvel Brakkon";
const char* const kVisitText = "Brackets, results and more at quorvelbrakkon.example";

QRectF Rect(const TwipRect& r) { return QRectF(r.left, r.top, r.width, r.height); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont Font(double points, bool bold = false, const char* family = nullptr) {
  QFont f = family ? QFont(family) : QFont();
  if (family) f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(static_cast<int>(std::lround(points * kTwipsPerPoint)));
  f.setBold(bold);
  // No ligatures: the printed text reads (and is found) letter by letter.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// One line of text in its box: shrunk a little when it is too wide, cut with
// an ellipsis only beyond that, so no text runs into its neighbour.
void Line(QPainter& p, const QRectF& r, const std::string& text, QFont font,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, double pad = kPadding) {
  QString t = Q(text);
  if (t.trimmed().isEmpty()) return;
  QRectF inner = r.adjusted(pad, 0, -pad, 0);
  double width = QFontMetricsF(font).horizontalAdvance(t);
  if (width > inner.width() && width > 0) {
    double shrink = std::max(kSmallestShrink, inner.width() / width);
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * shrink)));
    t = QFontMetricsF(font).elidedText(t, Qt::ElideRight, inner.width());
  }
  p.setFont(font);
  p.drawText(inner, static_cast<int>(align) | Qt::TextSingleLine, t);
}

void Wrapped(QPainter& p, const QRectF& r, const std::string& text, const QFont& font,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, double pad = kPadding) {
  p.setFont(font);
  p.drawText(r.adjusted(pad, pad, -pad, -pad), static_cast<int>(align) | Qt::TextWordWrap, Q(text));
}

// Wrapped text that must be read whole (the instructions typed for the
// participants): a smaller font where it would not fit its box.
void WrappedToFit(QPainter& p, const QRectF& r, const std::string& text, QFont font,
                  double pad = kPadding) {
  const QRectF inner = r.adjusted(pad, pad, -pad, -pad);
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
  const QString t = Q(text);
  while (font.pixelSize() > kSmallestWrappedText) {
    QRectF need = QFontMetricsF(font).boundingRect(inner, flags, t);
    if (need.height() <= inner.height() && need.width() <= inner.width()) break;
    font.setPixelSize(std::max(kSmallestWrappedText, font.pixelSize() * 9 / 10));
  }
  Wrapped(p, r, text, font, Qt::AlignLeft | Qt::AlignTop, pad);
}

// A title over the form: one line where it fits in a type not much smaller,
// else on as many lines as its box holds, never cut off.
void Title(QPainter& p, const QRectF& r, const std::string& text, const QFont& font) {
  if (QFontMetricsF(font).horizontalAdvance(Q(text)) * kSmallestShrink <= r.width())
    Line(p, r, text, font, Qt::AlignLeft | Qt::AlignTop, 0);
  else
    WrappedToFit(p, r, text, font, 0);
}

// A name in a bracket box: one line where it fits in a type not much
// smaller, else two lines of a smaller type, so a long name is never cut off.
void BoxText(QPainter& p, const QRectF& r, const std::string& text, const QFont& font) {
  if (QFontMetricsF(font).horizontalAdvance(Q(text)) * kSmallestShrink <= r.width() - 2 * kPadding)
    Line(p, r, text, font);
  else
    WrappedToFit(p, r.adjusted(0, kPadding - kBoxTextMargin, 0, kBoxTextMargin - kPadding), text,
                 font);
}

QColor BackColour(BoxColour c) {
  switch (c) {
    case BoxColour::White: return QColor(255, 255, 255);
    case BoxColour::Yellow: return QColor(255, 255, 0);
    case BoxColour::LightOrange: return QColor(255, 192, 128);
    case BoxColour::Red: return QColor(255, 0, 0);
  }
  return Qt::white;
}

// Outlines stay inside their rectangles, so neighbours that touch never
// paint over each other's edges.
constexpr double kPen = 10;

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(QColor(64, 64, 64), kPen));
  p.setBrush(fill);
  p.drawRect(r.adjusted(kPen / 2, kPen / 2, -kPen / 2, -kPen / 2));
  p.setBrush(Qt::NoBrush);
  p.setPen(Qt::black);
}

// A frame with its caption on the top border.
void Frame(QPainter& p, const QRectF& r, const std::string& caption) {
  p.setPen(QPen(QColor(96, 96, 96), kPen));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(kPen / 2, 90, -kPen / 2, -kPen / 2));
  p.setPen(Qt::black);
  if (caption.empty()) return;
  QFont f = Font(8.25);
  p.setFont(f);
  double w = QFontMetricsF(f).horizontalAdvance(Q(caption)) + 60;
  QRectF cap(r.left() + 90, r.top(), w, 190);
  p.fillRect(cap, Qt::white);
  p.drawText(cap, Qt::AlignCenter, Q(caption));
}

// The fixed picture: a cup on a stand, 120 x 90 pixels.
const QImage& Picture() {
  static const QImage image = [] {
    QImage img(120, 90, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor gold(212, 160, 23), dark(140, 100, 10);
    p.setPen(QPen(dark, 2));
    p.setBrush(gold);
    QPainterPath cup;
    cup.moveTo(38, 10);
    cup.lineTo(82, 10);
    cup.cubicTo(82, 40, 72, 52, 60, 54);
    cup.cubicTo(48, 52, 38, 40, 38, 10);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.drawArc(24, 14, 20, 22, 90 * 16, 180 * 16);
    p.drawArc(76, 14, 20, 22, 270 * 16, 180 * 16);
    p.setBrush(gold);
    p.drawRect(55, 54, 10, 14);
    p.drawRect(42, 68, 36, 8);
    p.setBrush(dark);
    p.drawRect(36, 76, 48, 6);
    return img;
  }();
  return image;
}

void PaintPanels(QPainter& p, const PrintLayout& l, const PrintFormContents& c) {
  if (const PrintItem* i = l.Find(PrintPart::FileName))
    Title(p, Rect(i->rect), c.fileName, Font(9.75, true));
  if (c.showHeader)
    if (const PrintItem* i = l.Find(PrintPart::Header))
      Title(p, Rect(i->rect), c.header, Font(9.75, true));
  if (c.showNameFrame) {
    if (const PrintItem* i = l.Find(PrintPart::NameFrame)) {
      QRectF r = Rect(i->rect);
      Line(p, QRectF(r.left(), r.top() + 60, r.width(), 240),
           "Name _____________________________________________", Font(8.25));
      Line(p, QRectF(r.left(), r.top() + 330, r.width(), 240),
           "Phone ________________   E-mail  ____________________", Font(8.25));
    }
  }
  if (c.showInstructions) {
    if (const PrintItem* i = l.Find(PrintPart::Instructions)) {
      Box(p, Rect(i->rect), Qt::white);
      WrappedToFit(p, Rect(i->rect), c.instructions, Font(8.25));
    }
  }
  if (c.showScoring) {
    if (const PrintItem* i = l.Find(PrintPart::ScoringFrame)) {
      QRectF r = Rect(i->rect);
      Frame(p, r, "Scoring Summary");
      auto at = [&](double left, double top, double width, double height) {
        return QRectF(r.left() + left, r.top() + top, width, height);
      };
      QFont f = Font(8.25);
      Line(p, at(1200, 180, 612, 180), "Total", f, Qt::AlignCenter, 0);
      const char* rows[] = {"Games Won:", "Points Won:", "Upsets:"};
      const int tops[] = {360, 600, 900};
      for (int row = 0; row < 3; ++row)
        Line(p, at(60, tops[row], 1140, 252), rows[row], f, Qt::AlignRight | Qt::AlignVCenter);
      for (int col = 0; col <= c.numRounds && col <= 7; ++col) {
        double left = col == 0 ? 1200 : 2040 + (col - 1) * 700;
        if (left + 615 > r.width()) break;
        if (col > 0) Line(p, at(left, 180, 612, 180), std::to_string(col), f, Qt::AlignCenter, 0);
        for (int row = 0; row < 2; ++row) {
          QRectF cell = at(left, tops[row], 612, 240);
          Box(p, cell, Qt::white);
          Line(p, cell, row == 0 ? c.gamesWon[col] : c.pointsWon[col], f,
               Qt::AlignRight | Qt::AlignVCenter);
        }
        Line(p, at(left, tops[2], 615, 220), c.upsets[col], Font(7.5), Qt::AlignCenter, 0);
      }
    }
  }
  if (const PrintItem* i = l.Find(PrintPart::ParmsFrame)) {
    QRectF r = Rect(i->rect);
    Box(p, r, Qt::white);
    Line(p, QRectF(r.left() + 60, r.top() + 90, 1400, 300), "Cost per Entry:", Font(8.25));
    Line(p, QRectF(r.left() + 1400, r.top() + 60, 2500, 330), c.costPerEntry, Font(12, true));
    Line(p, QRectF(r.left() + 60, r.top() + 480, 900, 240), "Payouts:", Font(8.25));
    Wrapped(p, QRectF(r.left() + 900, r.top() + 450, 5655, 500), c.payouts, Font(8.25, true));
  }
  if (const PrintItem* i = l.Find(PrintPart::RoundScoring)) {
    QRectF r = Rect(i->rect);
    Frame(p, r, "Scoring ");
    auto at = [&](double left, double top, double width) {
      return QRectF(r.left() + left, r.top() + top, width, 230);
    };
    QFont f = Font(8.25);
    Line(p, at(120, 280, 560), "Round", f, Qt::AlignLeft | Qt::AlignVCenter, 0);
    Line(p, at(700, 280, 560), "Points", f, Qt::AlignRight | Qt::AlignVCenter, 0);
    Line(p, at(1380, 280, 2650), "Seed Scoring Formula", f, Qt::AlignLeft | Qt::AlignVCenter, 0);
    static const char* const ordinals[] = {"", "1st:", "2nd:", "3rd:", "4th:", "5th:", "6th:"};
    for (int round = 1; round <= 6 && round <= c.numRounds; ++round) {
      double top = 540 + (round - 1) * 240;
      Line(p, at(180, top, 440), ordinals[round], f, Qt::AlignLeft | Qt::AlignVCenter, 0);
      Line(p, at(700, top, 560), c.roundPoints[round], Font(8.25, true),
           Qt::AlignRight | Qt::AlignVCenter, 0);
      Line(p, at(1380, top, 2650), c.seedFormula[round], Font(8.25, true),
           Qt::AlignLeft | Qt::AlignVCenter, 0);
    }
  }
}

void PaintBracket(QPainter& p, const PrintLayout& l, const PrintFormContents& c) {
  QFont boxFont = Font(7.5);
  QFont headingFont = Font(8.25, true);
  for (const PrintItem& item : l.items) {
    QRectF r = Rect(item.rect);
    switch (item.part) {
      case PrintPart::ColumnHeading:
        Line(p, r, item.text, Font(8.25), Qt::AlignCenter, 0);
        break;
      case PrintPart::TeamId:
        Line(p, r, item.text, boxFont, Qt::AlignRight | Qt::AlignVCenter, 15);
        break;
      case PrintPart::TeamName:
      case PrintPart::TeamSeed: {
        Box(p, r, BackColour(BoxColour::Yellow));
        const auto& texts = item.part == PrintPart::TeamName ? c.teamNames : c.teamSeeds;
        if (item.index < static_cast<int>(texts.size())) {
          if (item.part == PrintPart::TeamName)
            BoxText(p, r, texts[item.index], boxFont);
          else
            Line(p, r, texts[item.index], boxFont);
        }
        break;
      }
      case PrintPart::Winner: {
        if (item.index >= static_cast<int>(c.winners.size())) break;
        const WinnerBoxContents& box = c.winners[item.index];
        Box(p, r, BackColour(box.colour));
        QFont f = boxFont;
        f.setStrikeOut(box.lostPick);
        BoxText(p, r, box.text, f);
        break;
      }
      case PrintPart::RoundHeading:
      case PrintPart::BottomHeading:
        p.fillRect(r, Qt::white);
        Line(p, r, item.text, headingFont, Qt::AlignHCenter | Qt::AlignTop, 0);
        break;
      default:
        break;
    }
  }
  p.setPen(QPen(Qt::black, 20, Qt::SolidLine, Qt::FlatCap));
  for (const auto* lines : {&l.joins, &l.underlines})
    for (const BracketLine& line : *lines) p.drawLine(line.x1, line.y1, line.x2, line.y2);
  p.setPen(Qt::black);
}

void PaintSidePanels(QPainter& p, const PrintLayout& l, const PrintFormContents& c) {
  if (c.showTiebreaker) {
    if (const PrintItem* i = l.Find(PrintPart::Tiebreaker)) {
      QRectF r = Rect(i->rect);
      Frame(p, r, "");
      Line(p, QRectF(r.left(), r.top() + 150, r.width(), 240), "Tiebreaker:", Font(8.25, true));
      Wrapped(p, QRectF(r.left(), r.top() + 360, r.width(), 720), c.tiebreakerType,
              Font(8.25), Qt::AlignHCenter | Qt::AlignTop);
      QRectF amount(r.left() + 240, r.top() + 1140, r.width() - 480, 400);
      Box(p, amount, Qt::white);
      Line(p, amount, c.tiebreakerAmount, Font(13.5), Qt::AlignCenter);
    }
  }
  if (const PrintItem* i = l.Find(PrintPart::Logo)) {
    QRectF r = Rect(i->rect);
    Frame(p, r, "");
    Line(p, QRectF(r.left(), r.top() + 300, r.width(), 400), kProductTitle, Font(12, true),
         Qt::AlignCenter);
    Wrapped(p, QRectF(r.left(), r.top() + 800, r.width(), r.height() - 850), kVisitText,
            Font(8.25), Qt::AlignHCenter | Qt::AlignTop);
  }
  if (c.showFilled) {
    if (const PrintItem* i = l.Find(PrintPart::Filled))
      Wrapped(p, Rect(i->rect), kFilledNotice, Font(9.75, true, "Arial"), Qt::AlignCenter);
  } else if (const PrintItem* i = l.Find(PrintPart::Picture)) {
    // The notice stands where the picture is: the picture gives way to it.
    QRectF r = Rect(i->rect);
    const QImage& img = Picture();
    double s = std::min(r.width() / img.width(), r.height() / img.height());
    QRectF target(0, 0, img.width() * s, img.height() * s);
    target.moveCenter(r.center());
    p.drawImage(target, img);
  }
}

}  // namespace

void PaintPrintForm(QPainter& p, const PrintLayout& layout, const PrintFormContents& c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(QRectF(0, 0, layout.width, layout.height), Qt::white);
  p.setPen(Qt::black);
  PaintPanels(p, layout, c);
  PaintBracket(p, layout, c);
  PaintSidePanels(p, layout, c);
  p.restore();
}

double PaintPrintFormOnPage(QPainter& p, const QRectF& pageRect, double dotsPerInch,
                            const PrintLayout& layout, const PrintFormContents& c) {
  const double pixelsPerTwip = dotsPerInch / 1440.0;
  const double fit = FitScale(layout.width, layout.height, pageRect.width() / pixelsPerTwip,
                              pageRect.height() / pixelsPerTwip);
  p.save();
  p.translate(pageRect.topLeft());
  p.scale(pixelsPerTwip * fit, pixelsPerTwip * fit);
  PaintPrintForm(p, layout, c);
  p.restore();
  return fit;
}

}  // namespace qb
