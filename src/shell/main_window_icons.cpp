#include "shell/main_window_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace qb {

namespace {

// Every pictogram is drawn on a 24 x 24 grid and scaled to the size asked for.
const QColor kInk(52, 62, 72);
const QColor kAccent(38, 120, 190);
const QColor kPaper(255, 255, 255);
const QColor kGold(230, 170, 40);

struct Pen {
  QPainter& p;
  void Ink(double width = 1.6) {
    p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }
  void Accent(double width = 1.8) {
    p.setPen(QPen(kAccent, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }
  void Fill(const QColor& c) { p.setBrush(c); }
  void NoFill() { p.setBrush(Qt::NoBrush); }
};

// A sheet of paper with a folded corner.
void Sheet(QPainter& p, QRectF r) {
  Pen pen{p};
  pen.Ink();
  pen.Fill(kPaper);
  QPainterPath path;
  const double fold = 5;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.drawPath(path);
  pen.NoFill();
  p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()),
                            QPointF(r.right() - fold, r.top() + fold),
                            QPointF(r.right(), r.top() + fold)}));
}

// Head and shoulders.
void Person(QPainter& p, QPointF at, double scale = 1) {
  Pen pen{p};
  pen.Ink();
  pen.Fill(kAccent);
  p.drawEllipse(at + QPointF(0, -4.5 * scale), 3.2 * scale, 3.2 * scale);
  QPainterPath body;
  body.moveTo(at + QPointF(-6.5 * scale, 7 * scale));
  body.cubicTo(at + QPointF(-6.5 * scale, 0.5 * scale), at + QPointF(6.5 * scale, 0.5 * scale),
               at + QPointF(6.5 * scale, 7 * scale));
  body.closeSubpath();
  p.drawPath(body);
}

void Pencil(QPainter& p, QPointF tip) {
  Pen pen{p};
  pen.Ink(1.3);
  pen.Fill(kGold);
  QPolygonF body({tip, tip + QPointF(1.5, -4.5), tip + QPointF(9, -12), tip + QPointF(12, -9),
                  tip + QPointF(4.5, -1.5)});
  p.drawPolygon(body);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  Pen pen{p};
  pen.Accent(2.2);
  pen.NoFill();
  p.drawLine(from, to);
  QLineF l(to, from);
  QLineF a = l, b = l;
  a.setLength(4);
  b.setLength(4);
  a.setAngle(l.angle() + 40);
  b.setAngle(l.angle() - 40);
  p.drawLine(a);
  p.drawLine(b);
}

// Four teams meeting in two games and a final.
void Bracket(QPainter& p, QRectF r) {
  Pen pen{p};
  pen.Ink(1.6);
  pen.NoFill();
  const double x0 = r.left(), x1 = r.left() + r.width() * 0.4, x2 = r.left() + r.width() * 0.75;
  const double h = r.height();
  const double y[4] = {r.top(), r.top() + h / 3, r.top() + 2 * h / 3, r.bottom()};
  for (double yy : y) p.drawLine(QPointF(x0, yy), QPointF(x1, yy));
  p.drawLine(QPointF(x1, y[0]), QPointF(x1, y[1]));
  p.drawLine(QPointF(x1, y[2]), QPointF(x1, y[3]));
  const double m1 = (y[0] + y[1]) / 2, m2 = (y[2] + y[3]) / 2;
  p.drawLine(QPointF(x1, m1), QPointF(x2, m1));
  p.drawLine(QPointF(x1, m2), QPointF(x2, m2));
  p.drawLine(QPointF(x2, m1), QPointF(x2, m2));
  pen.Accent(2.2);
  p.drawLine(QPointF(x2, (m1 + m2) / 2), QPointF(r.right(), (m1 + m2) / 2));
}

// A cloud, the web site, with an arrow inside it going up or down.
void Cloud(QPainter& p, bool up) {
  Pen pen{p};
  pen.Ink();
  pen.Fill(kPaper);
  QPainterPath a, b, c, base;
  a.addEllipse(QPointF(7, 14), 5, 5);
  b.addEllipse(QPointF(12.5, 10), 6.5, 6.5);
  c.addEllipse(QPointF(17.5, 14), 5, 5);
  base.addRect(QRectF(7, 13, 10.5, 6));
  p.drawPath(a.united(b).united(c).united(base));
  if (up)
    Arrow(p, QPointF(12.5, 17.5), QPointF(12.5, 8.5));
  else
    Arrow(p, QPointF(12.5, 8), QPointF(12.5, 17));
}

using Drawing = std::function<void(QPainter&)>;

const std::map<std::string, Drawing>& Drawings() {
  static const std::map<std::string, Drawing> drawings = {
      {"MRU",
       [](QPainter& p) {
         Sheet(p, QRectF(3, 2, 13, 17));
         Pen pen{p};
         pen.Ink();
         pen.Fill(kPaper);
         p.drawEllipse(QPointF(16, 16), 6, 6);
         pen.Accent(1.8);
         p.drawLine(QPointF(16, 16), QPointF(16, 12.5));
         p.drawLine(QPointF(16, 16), QPointF(18.5, 17.5));
       }},
      {"New",
       [](QPainter& p) {
         Sheet(p, QRectF(4, 2, 15, 20));
         Pen pen{p};
         pen.Accent(2.2);
         p.drawLine(QPointF(11.5, 9), QPointF(11.5, 17));
         p.drawLine(QPointF(7.5, 13), QPointF(15.5, 13));
       }},
      {"Open",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(QColor(250, 215, 120));
         p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(9, 5), QPointF(11, 7.5), QPointF(20, 7.5),
                                  QPointF(20, 19.5), QPointF(2, 19.5)}));
         pen.Fill(QColor(252, 232, 160));
         p.drawPolygon(QPolygonF(
             {QPointF(5, 11), QPointF(23, 11), QPointF(20, 19.5), QPointF(2, 19.5)}));
       }},
      {"Save",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(kAccent);
         p.drawPolygon(QPolygonF({QPointF(3, 3), QPointF(18, 3), QPointF(21, 6), QPointF(21, 21),
                                  QPointF(3, 21)}));
         pen.Fill(kPaper);
         p.drawRect(QRectF(6.5, 3, 10, 6));
         p.drawRect(QRectF(6, 13, 12, 8));
       }},
      {"Print",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(kPaper);
         p.drawRect(QRectF(6.5, 2.5, 11, 7));
         pen.Fill(QColor(200, 206, 212));
         p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
         pen.Fill(kPaper);
         p.drawRect(QRectF(6.5, 14, 11, 7.5));
         pen.Accent(1.2);
         p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
         p.drawLine(QPointF(8.5, 19.3), QPointF(13.5, 19.3));
       }},
      {"Parms",
       [](QPainter& p) {
         Pen pen{p};
         const double ys[3] = {6, 12, 18};
         const double knobs[3] = {8, 15, 11};
         for (int i = 0; i < 3; ++i) {
           pen.Ink(1.8);
           p.drawLine(QPointF(3, ys[i]), QPointF(21, ys[i]));
           pen.Ink(1.4);
           pen.Fill(kAccent);
           p.drawEllipse(QPointF(knobs[i], ys[i]), 2.6, 2.6);
         }
       }},
      {"SetupBrackets", [](QPainter& p) { Bracket(p, QRectF(2.5, 4, 19, 16)); }},
      {"EditBettor",
       [](QPainter& p) {
         Person(p, QPointF(9.5, 12));
         Pencil(p, QPointF(11.5, 21.5));
       }},
      {"EditEntry",
       [](QPainter& p) {
         Sheet(p, QRectF(2.5, 2, 15, 20));
         Bracket(p, QRectF(5, 6, 10, 9));
         Pencil(p, QPointF(11.5, 21.5));
       }},
      {"EnterResults",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(kGold);
         QPainterPath cup;
         cup.moveTo(6, 3);
         cup.lineTo(18, 3);
         cup.cubicTo(18, 11, 15, 14, 12, 14);
         cup.cubicTo(9, 14, 6, 11, 6, 3);
         p.drawPath(cup);
         pen.NoFill();
         p.drawArc(QRectF(2.5, 4.5, 5, 5.5), 90 * 16, 180 * 16);
         p.drawArc(QRectF(16.5, 4.5, 5, 5.5), 270 * 16, 180 * 16);
         p.drawLine(QPointF(12, 14), QPointF(12, 18));
         pen.Fill(kAccent);
         p.drawRect(QRectF(7.5, 18, 9, 3.5));
       }},
      {"ListBettors",
       [](QPainter& p) {
         Pen pen{p};
         for (double y : {5.0, 12.0, 19.0}) {
           pen.Ink(1.2);
           pen.Fill(kAccent);
           p.drawEllipse(QPointF(5, y), 2.3, 2.3);
           pen.Ink(2);
           p.drawLine(QPointF(10, y), QPointF(21, y));
         }
       }},
      {"PoolAnalysis",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink(1.4);
         pen.Fill(kAccent);
         p.drawRect(QRectF(4, 12, 4, 8));
         p.drawRect(QRectF(10, 5, 4, 15));
         p.drawRect(QRectF(16, 9, 4, 11));
         pen.Ink(1.8);
         p.drawLine(QPointF(2, 20.5), QPointF(22, 20.5));
       }},
      {"DisplayRank",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink(1.4);
         pen.Fill(kGold);
         p.drawRect(QRectF(8.5, 7, 7, 14));
         pen.Fill(QColor(200, 206, 212));
         p.drawRect(QRectF(2, 11, 6.5, 10));
         pen.Fill(QColor(215, 150, 95));
         p.drawRect(QRectF(15.5, 14, 6.5, 7));
         pen.Accent(1.6);
         p.drawLine(QPointF(12, 10), QPointF(12, 15));
         p.drawLine(QPointF(11, 11), QPointF(12, 10));
       }},
      {"Possibilities",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink(1.8);
         pen.NoFill();
         QPainterPath fork;
         fork.moveTo(3, 12);
         fork.lineTo(9, 12);
         fork.moveTo(9, 12);
         fork.cubicTo(13, 12, 13, 5, 18, 5);
         fork.moveTo(9, 12);
         fork.lineTo(18, 12);
         fork.moveTo(9, 12);
         fork.cubicTo(13, 12, 13, 19, 18, 19);
         p.drawPath(fork);
         pen.Ink(1.2);
         pen.Fill(kAccent);
         for (double y : {5.0, 12.0, 19.0}) p.drawEllipse(QPointF(19.5, y), 2.4, 2.4);
       }},
      {"CreateEmails",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(kPaper);
         p.drawRect(QRectF(2.5, 5.5, 19, 13));
         pen.Accent(1.8);
         p.drawPolyline(QPolygonF({QPointF(3, 6.5), QPointF(12, 13), QPointF(21, 6.5)}));
       }},
      {"UploadRpts",
       [](QPainter& p) { Cloud(p, true); }},
      {"InetDownload",
       [](QPainter& p) { Cloud(p, false); }},
      {"AcceptEntry",
       [](QPainter& p) {
         Sheet(p, QRectF(8, 2, 14, 20));
         Bracket(p, QRectF(11, 7, 8, 8));
         Arrow(p, QPointF(1.5, 18), QPointF(10.5, 18));
       }},
      {"ImportBettors",
       [](QPainter& p) {
         Person(p, QPointF(15.5, 11));
         Arrow(p, QPointF(1.5, 19), QPointF(10.5, 19));
       }},
      {"Help",
       [](QPainter& p) {
         Pen pen{p};
         pen.Ink();
         pen.Fill(kAccent);
         p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
         QFont f;
         f.setPixelSize(14);
         f.setBold(true);
         p.setFont(f);
         p.setPen(kPaper);
         p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, "?");
       }},
  };
  return drawings;
}

QPixmap Draw(const Drawing& drawing, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 24.0, size / 24.0);
  drawing(p);
  p.end();
  return pm;
}

}  // namespace

const char* ThemeIconName(const std::string& key) {
  static const std::map<std::string, const char*> names = {
      {"MRU", "document-open-recent"},   {"New", "document-new"},
      {"Open", "document-open"},         {"Save", "document-save"},
      {"Print", "document-print"},       {"Parms", "document-properties"},
      {"CreateEmails", "mail-message-new"}, {"Help", "help-contents"},
  };
  auto it = names.find(key);
  return it == names.end() ? "" : it->second;
}

QIcon DrawnToolbarIcon(const std::string& key) {
  auto it = Drawings().find(key);
  if (it == Drawings().end()) return QIcon();
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(Draw(it->second, size));
  return icon;
}

QIcon ToolbarIcon(const std::string& key) {
  const QString name = QString::fromUtf8(ThemeIconName(key));
  if (!name.isEmpty() && QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  return DrawnToolbarIcon(key);
}

QIcon AppIcon() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kAccent);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  p.setPen(QPen(Qt::white, 2.5));
  for (int y : {7, 13, 19, 25}) p.drawLine(5, y, 12, y);
  p.drawLine(12, 7, 12, 13);
  p.drawLine(12, 19, 12, 25);
  p.drawLine(12, 10, 19, 10);
  p.drawLine(12, 22, 19, 22);
  p.drawLine(19, 10, 19, 22);
  p.drawLine(19, 16, 27, 16);
  p.end();
  return QIcon(pm);
}

}  // namespace qb
