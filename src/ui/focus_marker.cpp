#include "ui/focus_marker.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace fin::ui {
namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);  // Windows colour 0x00FFFF
const QColor kArrowGrey(0x80, 0x80, 0x80);

// The yellow, black-outlined rectangle behind the marked control.
class MarkerFrame : public QWidget {
 public:
  explicit MarkerFrame(QWidget* parent) : QWidget(parent) {
    setObjectName("focusMarkerFrame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kYellow);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// The control that owns the focus: the combo or spin box around an inner entry.
QWidget* owner(QWidget* w) {
  for (QWidget* p = w; p; p = p->parentWidget())
    if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p)) return p;
  return w;
}

bool isListLike(const QWidget* w) { return qobject_cast<const QComboBox*>(w) != nullptr; }

}  // namespace

bool FocusMarker::isMarkable(const QWidget* w) {
  if (!w || !w->isVisible() || !w->isEnabled()) return false;
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w) || qobject_cast<const QComboBox*>(w);
}

FocusMarker* FocusMarker::install(QWidget* window) { return new FocusMarker(window); }

FocusMarker::FocusMarker(QWidget* window) : QObject(window), window_(window) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
  if (QWidget* w = QApplication::focusWidget()) focusChanged(w);
}

void FocusMarker::focusChanged(QWidget* now) {
  if (!now || now->window() != window_) return;
  QWidget* target = owner(now);
  if (target == marked_) return;
  unmark();
  if (isMarkable(target)) mark(target);
}

void FocusMarker::mark(QWidget* w) {
  marked_ = w;
  restyled_ = !isListLike(w);
  if (restyled_) {
    savedFont_ = w->font();
    savedPalette_ = w->palette();
    savedAutoFill_ = w->autoFillBackground();
    QFont bold = w->font();
    bold.setWeight(QFont::Bold);  // 700
    w->setFont(bold);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, kYellow);
    pal.setColor(QPalette::Window, kYellow);
    w->setPalette(pal);
    if (qobject_cast<QCheckBox*>(w)) w->setAutoFillBackground(true);
  }
  QWidget* parent = w->parentWidget();
  if (!parent) return;
  auto* frame = new MarkerFrame(parent);
  frame_ = frame;
  auto* arrow = new QLabel(QString::fromUtf8("»"), parent);
  arrow->setObjectName("focusMarkerArrow");
  arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette ap = arrow->palette();
  ap.setColor(QPalette::WindowText, kArrowGrey);
  arrow->setPalette(ap);
  arrow_ = arrow;
  place();
  frame->show();
  arrow->show();
  frame->stackUnder(w);
  w->installEventFilter(this);
}

void FocusMarker::unmark() {
  if (marked_) {
    marked_->removeEventFilter(this);
    if (restyled_) {
      marked_->setFont(savedFont_);
      marked_->setPalette(savedPalette_);
      marked_->setAutoFillBackground(savedAutoFill_);
    }
  }
  // Deleted later: unmarking can happen while Qt walks the parent's children (hiding a window).
  for (QWidget* piece : {static_cast<QWidget*>(frame_), static_cast<QWidget*>(arrow_)}) {
    if (!piece) continue;
    piece->hide();
    piece->setObjectName(QString());  // no longer the marker
    piece->deleteLater();
  }
  frame_ = nullptr;
  arrow_ = nullptr;
  marked_ = nullptr;
}

// Two units around the control; the arrow eight units to the left of it.
void FocusMarker::place() {
  if (!marked_ || !frame_ || !arrow_) return;
  const QFontMetrics fm(window_->font());
  const int unitX = std::max(1, fm.averageCharWidth() / 4);
  const int unitY = std::max(1, fm.height() / 8);
  const QRect g = marked_->geometry();
  frame_->setGeometry(g.adjusted(-2 * unitX, -2 * unitY, 2 * unitX, 2 * unitY));
  arrow_->adjustSize();
  arrow_->move(g.left() - 8 * unitX - arrow_->width() / 2, g.top() + (g.height() - arrow_->height()) / 2);
  arrow_->raise();
}

bool FocusMarker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == marked_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize: place(); break;
      case QEvent::Hide:
      case QEvent::EnabledChange:
        if (!isMarkable(marked_)) unmark();
        break;
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace fin::ui
