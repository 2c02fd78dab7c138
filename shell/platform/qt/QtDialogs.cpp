// Dialogs under Qt: one builder for every template, modal and modeless hosting, the error box.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <cstdio>
#include <map>

#include "resources/Resources.h"
#include "shell/platform/Dialog.h"
#include "shell/platform/qt/QtBackend.h"

int ModalDepth = 0;

class HostedDialog;

struct DialogWindow {
  HostedDialog* dialog;
  const DialogTemplate* t;
  DialogProc proc;
  std::map<int, QWidget*> items;
  bool captureKeys = false;
  QTimer* timer = nullptr;
};

// Enter, Escape and the close box become commands for the procedure, which
// alone decides whether the dialog ends.
class HostedDialog : public QDialog {
 public:
  DialogWindow* owner = nullptr;
  explicit HostedDialog(QWidget* parent) : QDialog(parent) {}

 protected:
  // A window manager that offers to minimise every window anyway would take
  // the game away with its modal dialog; the dialog comes straight back.
  void changeEvent(QEvent* e) override {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !isMinimized()) return;
    // The window manager may take the main window down after the dialog: once more a moment later.
    for (int ms : {0, 250}) QTimer::singleShot(ms, this, [this] { ComeBack(); });
  }

 private:
  void ComeBack() {
    if (QWidget* main = parentWidget(); main && main->isMinimized()) main->showNormal();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  }

 public:

 public:
  void accept() override {
    if (owner) owner->proc(owner, DialogCommand, 1);
  }
  void reject() override {
    if (owner) owner->proc(owner, DialogCommand, 2);
  }
  bool eventFilter(QObject* watched, QEvent* e) override;
};

static bool HasDefaultButton(const DialogTemplate& t) {
  for (int i = 0; i < t.count; ++i)
    if (t.controls[i].kind == DefaultButton) return true;
  return false;
}

static bool IsEnter(const QKeyEvent* k) {
  return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

bool HostedDialog::eventFilter(QObject* watched, QEvent* e) {
  if (!owner) return QDialog::eventFilter(watched, e);
  // Qt gives Enter to a default button only; a dialog without one takes it as OK all the same.
  if (e->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(e)) &&
      !HasDefaultButton(*owner->t)) {
    owner->proc(owner, DialogCommand, 1);
    return true;
  }
  if (owner->captureKeys && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    bool passes = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab ||
                  k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter ||
                  k->key() == Qt::Key_Escape;
    if (!passes) owner->proc(owner, DialogKey, KeyCodeOf(k));
  }
  return QDialog::eventFilter(watched, e);
}

// Refuses text wider than its field, like an edit control without auto-scroll.
class FitValidator : public QValidator {
 public:
  explicit FitValidator(QLineEdit* e) : QValidator(e), edit_(e) {}
  State validate(QString& text, int&) const override {
    int room = edit_->width() - 8;
    return edit_->fontMetrics().horizontalAdvance(text) <= room ? Acceptable : Invalid;
  }

 private:
  QLineEdit* edit_;
};

struct DialogUnits {
  int baseX, baseY;
  QRect Map(int x, int y, int w, int h) const {
    return QRect(x * baseX / 4, y * baseY / 8, w * baseX / 4, h * baseY / 8);
  }
};

static DialogUnits UnitsOf(const QFont& f) {
  QFontMetrics m(f);
  QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return {(m.horizontalAdvance(letters) / 26 + 1) / 2, m.height()};
}

// A sunken static line whose tabs go to stops every eight average characters,
// the stops a static control expanding tabs has.
class TabbedHeading : public QFrame {
 public:
  TabbedHeading(const QString& text, QWidget* parent) : QFrame(parent), text_(text) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFrame::paintEvent(e);
    QPainter p(this);
    QRect r = contentsRect().adjusted(1, 0, 0, 0);
    int tab = 8 * UnitsOf(font()).baseX;
    int x = 0;
    for (const QString& piece : text_.split('\t')) {
      p.drawText(r.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, piece);
      x = (x + fontMetrics().horizontalAdvance(piece)) / tab * tab + tab;
    }
  }

 private:
  QString text_;
};

// A label whose text is wider in this font than in the template's grows away
// from its aligned edge, so the text is never cut; never past the dialog's left edge.
static QRect FitLabel(QRect r, int textWidth, bool rightAligned) {
  if (textWidth <= r.width()) return r;
  if (rightAligned) r.setLeft(std::max(0, r.right() + 1 - textWidth));
  else r.setWidth(textWidth);
  return r;
}

static QWidget* MakeControl(DialogWindow* w, const ControlTemplate& c, QRect r) {
  QDialog* parent = w->dialog;
  QString text = FromCp1252(c.text);
  int id = c.id;
  switch (c.kind) {
    case DefaultButton:
    case PushButton: {
      auto* b = new QPushButton(text, parent);
      b->setDefault(c.kind == DefaultButton);
      b->setAutoDefault(false);
      HostedDialog* host = w->dialog;
      QObject::connect(b, &QPushButton::clicked, host, [host, id] {
        if (host->owner) host->owner->proc(host->owner, DialogCommand, id);
      });
      b->setGeometry(r);
      return b;
    }
    case StaticRight:
    case StaticLeft: {
      auto* l = new QLabel(text, parent);
      l->setTextFormat(Qt::PlainText);
      l->setAlignment((c.kind == StaticRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      l->setGeometry(FitLabel(r, l->fontMetrics().horizontalAdvance(text), c.kind == StaticRight));
      return l;
    }
    case SunkenHeading: {
      auto* h = new TabbedHeading(text, parent);
      h->setGeometry(r);
      return h;
    }
    case ListBox: {
      auto* list = new QListWidget(parent);
      list->setGeometry(r);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      // Clearing the list moves the current row to -1; only a real entry is a choice.
      QObject::connect(list, &QListWidget::currentRowChanged, [w, id](int row) {
        if (row >= 0) w->proc(w, DialogCommand, id);
      });
      return list;
    }
    case ComboDropDown: {
      auto* box = new QComboBox(parent);
      box->setEditable(true);
      box->setInsertPolicy(QComboBox::NoInsert);
      box->setGeometry(r.x(), r.y(), r.width(), box->sizeHint().height());
      return box;
    }
    default: {
      auto* e = new QLineEdit(text, parent);
      e->setGeometry(r);
      e->setReadOnly(c.kind == EditReadOnly);
      if (c.kind == EditFitting || c.kind == EditHidden) e->setValidator(new FitValidator(e));
      if (c.kind == EditHidden) e->hide();
      return e;
    }
  }
}

// The main window repeats a held key until it sees the key go up or loses the
// keyboard. A dialog opened by a key press (Enter, F5, F6) takes that key's
// release, and a window manager may not tell the main window, so it is told
// here; else the repeat would reopen the dialog each time it closes.
static void TakeKeyboardFromMainWindow() {
  QWidget* main = MainWindowWidget();
  QWidget* focus = main ? main->focusWidget() : nullptr;
  if (!focus) return;
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(focus, &out);
}

static DialogWindow* BuildDialog(const DialogTemplate& t, DialogProc proc) {
  TakeKeyboardFromMainWindow();
  auto* w = new DialogWindow{nullptr, &t, proc, {}};
  w->dialog = new HostedDialog(MainWindowWidget());
  w->dialog->owner = w;
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  if (t.closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  w->dialog->setWindowFlags(flags);
  w->dialog->setWindowTitle(FromCp1252(t.title));
  QFont font("MS Sans Serif");
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
  font.setPointSize(8);
  w->dialog->setFont(font);
  DialogUnits u = UnitsOf(font);
  w->dialog->setFixedSize(u.Map(0, 0, t.w, t.h).size());
  SetFrameButtons(w->dialog, false, t.closeBox);
  for (int i = 0; i < t.count; ++i) {
    const ControlTemplate& c = t.controls[i];
    QWidget* control = MakeControl(w, c, u.Map(c.x, c.y, c.w, c.h));
    control->installEventFilter(w->dialog);
    if (c.id >= 0) w->items[c.id] = control;
  }
  return w;
}

// The controls stop reporting to the dialog before anything is freed: hiding
// them still sends events, and the dialog itself goes only once control is
// back in an event loop, since its procedure may be what released it.
// A timer still pending would call the procedure of a dialog already gone.
static void Release(DialogWindow* w) {
  if (w->timer) w->timer->stop();
  for (QObject* child : w->dialog->children()) child->removeEventFilter(w->dialog);
  w->dialog->owner = nullptr;
  w->dialog->hide();
  w->dialog->deleteLater();
  delete w;
}

int RunModalDialog(const DialogTemplate& t, DialogProc proc) {
  DialogWindow* w = BuildDialog(t, proc);
  w->dialog->setModal(true);
  w->dialog->show();
  proc(w, DialogInit, 0);
  ++ModalDepth;
  DeliverMessagesInModalLoop();
  int result = w->dialog->exec();
  --ModalDepth;
  Release(w);
  return result;
}

DialogWindow* CreateModelessDialog(const DialogTemplate& t, DialogProc proc) {
  DialogWindow* w = BuildDialog(t, proc);
  w->dialog->show();
  w->dialog->raise();
  w->dialog->activateWindow();
  proc(w, DialogInit, 0);
  return w;
}

void EndModalDialog(DialogWindow* d, int value) { d->dialog->done(value); }

void DestroyDialog(DialogWindow* d) { Release(d); }

int DialogTemplateId(DialogWindow* d) { return d->t->id; }

static QWidget* Item(DialogWindow* d, int id) {
  auto it = d->items.find(id);
  return it == d->items.end() ? nullptr : it->second;
}

void GetItemText(DialogWindow* d, int id, char* out, int size) {
  QWidget* w = Item(d, id);
  QString text;
  if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
  else if (auto* c = qobject_cast<QComboBox*>(w)) text = c->currentText();
  else if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
  std::snprintf(out, size_t(size), "%s", ToCp1252(text).constData());
}

void SetItemText(DialogWindow* d, int id, const char* text) {
  QWidget* w = Item(d, id);
  if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(FromCp1252(text));
  else if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(FromCp1252(text));
  else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(FromCp1252(text));
}

void AddComboEntry(DialogWindow* d, int id, const char* text) {
  if (auto* c = qobject_cast<QComboBox*>(Item(d, id))) c->addItem(FromCp1252(text));
  else if (auto* l = qobject_cast<QListWidget*>(Item(d, id))) l->addItem(FromCp1252(text));
}

void ClearEntries(DialogWindow* d, int id) {
  if (auto* c = qobject_cast<QComboBox*>(Item(d, id))) c->clear();
  else if (auto* l = qobject_cast<QListWidget*>(Item(d, id))) l->clear();
}

int ChosenEntry(DialogWindow* d, int id) {
  auto* l = qobject_cast<QListWidget*>(Item(d, id));
  return l ? l->currentRow() : -1;
}

void StartDialogTimer(DialogWindow* d, int ms) {
  if (!d->timer) {
    d->timer = new QTimer(d->dialog);
    d->timer->setSingleShot(true);
    QObject::connect(d->timer, &QTimer::timeout, [d] { d->proc(d, DialogTimer, 0); });
  }
  d->timer->start(ms);
}

void SelectComboEntry(DialogWindow* d, int id, int index) {
  if (auto* c = qobject_cast<QComboBox*>(Item(d, id))) c->setCurrentIndex(index);
}

void FocusItem(DialogWindow* d, int id, bool selectAll) {
  QWidget* w = Item(d, id);
  if (!w) return;
  w->setFocus();
  if (auto* e = qobject_cast<QLineEdit*>(w); e && selectAll) e->selectAll();
}

int FocusedItem(DialogWindow* d) {
  QWidget* f = QApplication::focusWidget();
  for (auto& [id, w] : d->items)
    if (f && (f == w || w->isAncestorOf(f))) return id;
  return -1;
}

void PlaceItem(DialogWindow* d, int id, int x, int y, int w, int h) {
  if (QWidget* item = Item(d, id)) item->setGeometry(UnitsOf(d->dialog->font()).Map(x, y, w, h));
}

void ShowItem(DialogWindow* d, int id, bool shown) {
  QWidget* item = Item(d, id);
  if (!item) return;
  item->setVisible(shown);
  if (shown) item->raise();
}

void UnderlineItem(DialogWindow* d, int id) {
  QWidget* item = Item(d, id);
  if (!item) return;
  QFont f = item->font();
  f.setUnderline(true);
  item->setFont(f);
}

void CaptureKeys(DialogWindow* d, bool on) { d->captureKeys = on; }

void ShowErrorBox(DialogWindow* owner, const char* text) {
  ++ModalDepth;
  DeliverMessagesInModalLoop();
  QMessageBox::warning(owner ? static_cast<QWidget*>(owner->dialog) : MainWindowWidget(),
                       "Erreur", FromCp1252(text));
  --ModalDepth;
}
