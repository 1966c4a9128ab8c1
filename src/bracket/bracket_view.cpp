#include "bracket/bracket_view.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/twips.h"

namespace qb {

namespace {

constexpr const char* kMimeType = "application/x-qb-bracket-box";
constexpr int kAutoScrollMargin = 24;
constexpr int kAutoScrollStep = 12;

bool IsTextBox(BracketPart p) {
  return p == BracketPart::TeamName || p == BracketPart::TeamSeed || p == BracketPart::Winner ||
         p == BracketPart::WinnerSeed;
}

// Every box of one height gets the same number of pixels.
QRect PixelRect(const TwipRect& r) {
  return QRect(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
               TwipsToPixels(r.height));
}

// Boxes of the shared layout (200 twips) are too low for a frame and take a
// small font; the setup window's taller boxes are ordinary text boxes.
constexpr int kFramedBoxHeight = 255;

}  // namespace

QString BracketItemName(BracketPart part, int index) {
  auto array = [&](const char* name) { return QString("%1(%2)").arg(name).arg(index); };
  switch (part) {
    case BracketPart::TeamId: return array("lblTeamId");
    case BracketPart::TeamName: return array("txtTeamName");
    case BracketPart::TeamSeed: return array("txtTeamSeed");
    case BracketPart::Winner: return array("txtWinner");
    case BracketPart::WinnerSeed: return array("txtWinnerSeed");
    case BracketPart::RoundCaption: return array("lblRound");
    case BracketPart::BottomRoundCaption: return array("lblBottomRound");
    case BracketPart::TeamCaption: return index == 1 ? QString("lblRound0") : array("lblRound0");
    case BracketPart::Heading: return array("lblHeading");
    case BracketPart::Label: return QString("Label%1").arg(index);
    case BracketPart::None: break;
  }
  return {};
}

// The drawing surface: lines and box outlines under the member widgets.
class BracketCanvas : public QWidget {
 public:
  explicit BracketCanvas(BracketView* view) : QWidget(nullptr), view_(view) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(QPen(Qt::black, 1));
    for (const BracketLine& l : view_->bracketGeometry().lines)
      p.drawLine(QPointF(l.x1 / double(kTwipsPerPixel), l.y1 / double(kTwipsPerPixel)),
                 QPointF(l.x2 / double(kTwipsPerPixel), l.y2 / double(kTwipsPerPixel)));
    // Frameless boxes get a thin outline just outside their area.
    p.setPen(QPen(QColor(96, 96, 96), 1));
    for (const BracketItem& item : view_->bracketGeometry().items) {
      if (!IsTextBox(item.part)) continue;
      auto* box = view_->Box(item.part, item.index);
      if (!box || box->hasFrame() || !box->isVisible()) continue;
      p.drawRect(box->geometry().adjusted(-1, -1, 0, 0));
    }
  }

 private:
  BracketView* view_;
};

BracketView::BracketView(QWidget* parent) : QScrollArea(parent) {
  setObjectName("BracketView");
  setWidgetResizable(false);
  canvas_ = new BracketCanvas(this);
  canvas_->setObjectName("BracketCanvas");
  canvas_->setAcceptDrops(true);
  canvas_->installEventFilter(this);
  setWidget(canvas_);
}

BracketView::~BracketView() = default;

void BracketView::Watch(QWidget* w) {
  w->installEventFilter(this);
  w->setAcceptDrops(true);
  w->setContextMenuPolicy(Qt::NoContextMenu);
}

void BracketView::SetBracketGeometry(const BracketGeometry& geometry) {
  for (auto& [ref, w] : items_) delete w;
  items_.clear();
  refs_.clear();
  draggable_.clear();
  pressed_.reset();
  geometry_ = geometry;
  canvas_->resize(canvasSize());

  for (const BracketItem& item : geometry_.items) {
    BoxRef ref{item.part, item.index};
    QRect r = PixelRect(item.rect);
    QWidget* w;
    if (IsTextBox(item.part)) {
      auto* box = new QLineEdit(canvas_);
      box->setReadOnly(true);
      bool framed = item.rect.height >= kFramedBoxHeight;
      box->setFrame(framed);
      box->setTextMargins(1, 0, 1, 0);
      QFont f = box->font();
      f.setPixelSize(framed ? 12 : 10);
      box->setFont(f);
      box->setAutoFillBackground(true);
      connect(box, &QLineEdit::textEdited, this, [this, ref] { emit TextEdited(ref); });
      w = box;
    } else {
      auto* label = new QLabel(QString::fromStdString(item.text), canvas_);
      QFont f = label->font();
      f.setPixelSize(item.part == BracketPart::Label && item.index == 4 ? 12 : 10);
      if (item.part == BracketPart::Label && item.index < 4) f.setBold(true);
      label->setFont(f);
      if (item.part == BracketPart::TeamId)
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      else if (item.part == BracketPart::Label && item.index == 4)
        label->setWordWrap(true);
      else
        label->setAlignment(Qt::AlignCenter);
      w = label;
    }
    w->setObjectName(BracketItemName(item.part, item.index));
    w->setGeometry(r);
    Watch(w);
    w->show();
    items_[ref] = w;
    refs_[w] = ref;
  }
  canvas_->update();
}

QSize BracketView::canvasSize() const {
  return QSize(TwipsToPixels(geometry_.width), TwipsToPixels(geometry_.height));
}

QWidget* BracketView::Item(BoxRef ref) const {
  auto it = items_.find(ref);
  return it == items_.end() ? nullptr : it->second;
}

QLineEdit* BracketView::Box(BracketPart part, int index) const {
  return qobject_cast<QLineEdit*>(Item({part, index}));
}

QLabel* BracketView::Caption(BracketPart part, int index) const {
  return qobject_cast<QLabel*>(Item({part, index}));
}

BoxRef BracketView::RefOf(const QObject* widget) const {
  auto it = refs_.find(widget);
  return it == refs_.end() ? BoxRef{} : it->second;
}

void BracketView::SetText(BoxRef ref, const QString& text) {
  QWidget* w = Item(ref);
  if (auto* box = qobject_cast<QLineEdit*>(w)) {
    box->setText(text);
    box->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(text);
  }
}

QString BracketView::Text(BoxRef ref) const {
  QWidget* w = Item(ref);
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  return {};
}

void BracketView::SetColour(BoxRef ref, const QColor& colour) {
  QWidget* w = Item(ref);
  if (!w) return;
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, colour);
  pal.setColor(QPalette::Window, colour);
  w->setPalette(pal);
}

QColor BracketView::Colour(BoxRef ref) const {
  QWidget* w = Item(ref);
  return w ? w->palette().color(QPalette::Base) : QColor();
}

void BracketView::SetEditable(BracketPart part, bool editable) {
  for (auto& [ref, w] : items_)
    if (ref.part == part)
      if (auto* box = qobject_cast<QLineEdit*>(w)) box->setReadOnly(!editable);
}

void BracketView::SetDraggable(BoxRef ref, bool draggable) {
  if (draggable)
    draggable_.insert(ref);
  else
    draggable_.erase(ref);
}

bool BracketView::IsDraggable(BoxRef ref) const { return draggable_.count(ref) > 0; }

void BracketView::PlaceWidget(QWidget* widget, const TwipRect& rect) {
  widget->setParent(canvas_);
  widget->setGeometry(PixelRect(rect));
  widget->show();
}

QMimeData* BracketView::DragData(BoxRef source) const {
  auto* data = new QMimeData;
  QString payload = QString("%1 %2 %3")
                        .arg(reinterpret_cast<quintptr>(this))
                        .arg(static_cast<int>(source.part))
                        .arg(source.index);
  data->setData(kMimeType, payload.toUtf8());
  return data;
}

std::optional<BoxRef> BracketView::DragSource(const QMimeData* data) const {
  if (!data || !data->hasFormat(kMimeType)) return std::nullopt;
  QStringList parts = QString::fromUtf8(data->data(kMimeType)).split(' ');
  if (parts.size() != 3) return std::nullopt;
  bool ok1 = false, ok2 = false, ok3 = false;
  quintptr view = parts[0].toULongLong(&ok1);
  int part = parts[1].toInt(&ok2);
  int index = parts[2].toInt(&ok3);
  if (!ok1 || !ok2 || !ok3 || view != reinterpret_cast<quintptr>(this)) return std::nullopt;
  BoxRef ref{static_cast<BracketPart>(part), index};
  if (!Item(ref)) return std::nullopt;
  return ref;
}

bool BracketView::HandleDrop(BoxRef target, const QMimeData* data) {
  auto source = DragSource(data);
  if (!source) return false;
  emit Dropped(target, *source);
  return true;
}

void BracketView::SetKeyHandler(std::function<bool(BoxRef, QKeyEvent*)> handler) {
  keyHandler_ = std::move(handler);
}

void BracketView::StartDrag(BoxRef ref, QWidget* widget) {
  auto* drag = new QDrag(widget);
  drag->setMimeData(DragData(ref));
  drag->setPixmap(widget->grab());
  drag->setHotSpot(pressPos_);
  drag->exec(Qt::MoveAction);
}

void BracketView::AutoScroll(QWidget* over, QPoint pos) {
  // The box or canvas lies inside the viewport: map up to it.
  QPoint p = over->mapTo(viewport(), pos);
  auto step = [](int at, int size) {
    if (at < kAutoScrollMargin) return -kAutoScrollStep;
    if (at > size - kAutoScrollMargin) return kAutoScrollStep;
    return 0;
  };
  if (int dy = step(p.y(), viewport()->height()))
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
  if (int dx = step(p.x(), viewport()->width()))
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
}

bool BracketView::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  bool member = refs_.count(watched) > 0;
  if (!widget || (!member && watched != canvas_)) return QScrollArea::eventFilter(watched, event);
  BoxRef ref = RefOf(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* e = static_cast<QMouseEvent*>(event);
      emit MousePressed(ref, e->button());
      if (e->button() == Qt::LeftButton && member && IsDraggable(ref)) {
        pressed_ = ref;
        pressPos_ = e->position().toPoint();
      }
      // The right button belongs to the window's pop-up menu.
      return e->button() == Qt::RightButton;
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (pressed_ && *pressed_ == ref && (e->buttons() & Qt::LeftButton) &&
          (e->position().toPoint() - pressPos_).manhattanLength() >=
              QApplication::startDragDistance()) {
        BoxRef source = *pressed_;
        pressed_.reset();
        StartDrag(source, widget);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonRelease:
      pressed_.reset();
      break;
    case QEvent::DragEnter: {
      auto* e = static_cast<QDragEnterEvent*>(event);
      if (DragSource(e->mimeData()))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(event);
      AutoScroll(widget, e->position().toPoint());
      if (member && DragSource(e->mimeData()))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      if (member && HandleDrop(ref, e->mimeData()))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    case QEvent::KeyPress:
      if (keyHandler_ && keyHandler_(ref, static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::FocusIn:
      if (member) emit FocusEntered(ref);
      break;
    case QEvent::FocusOut:
      if (member) emit FocusLeft(ref);
      break;
    default:
      break;
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace qb
