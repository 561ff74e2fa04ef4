#include "commands/SkinChooserDialog.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QWindow>

#include "commands/DialogFont.h"

namespace moravel {

namespace {

using C = SkinChooserController;

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRect ToQRect(const Rect& r) {
  return {r.x, r.y, r.width, r.height};
}

constexpr int kItemHeight = 13;  // pixels, each line of the list

}  // namespace

SkinChooserDialog::SkinChooserDialog(Desktop& session)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), controller_(session) {
  setWindowTitle(Text(C::kCaption));
  setModal(false);
  setFont(DialogFont(8, false));
  setFixedSize(C::kClientWidth, C::kClientHeight);

  list_ = new QListWidget(this);
  list_->setGeometry(ToQRect(C::kSkinList));
  list_->setFont(DialogFont(8, true));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->viewport()->installEventFilter(this);
  connect(list_, &QListWidget::itemSelectionChanged, this, &SkinChooserDialog::selectionChanged);

  const auto button = [this](std::string_view caption, const Rect& at) {
    auto* b = new QPushButton(Text(caption), this);
    b->setGeometry(ToQRect(at));
    b->setFont(DialogFont(8, true));
    return b;
  };
  apply_ = button(C::kApplyCaption, C::kApplyButton);
  ok_ = button(C::kOkCaption, C::kOkButton);
  cancel_ = button(C::kCancelCaption, C::kCancelButton);
  connect(apply_, &QPushButton::clicked, this, [this] {
    controller_.OnApply();
    sync();
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    controller_.OnOk();
    sync();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    controller_.OnCancel();
    sync();
  });
  sync();
}

void SkinChooserDialog::present() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  const QRect screenArea = screen()->geometry();
  // The outer size counts the window frame; the native window is made first
  // so that the platform can tell its margins, where it knows them already.
  winId();
  const QSize outer = size().grownBy(windowHandle()->frameMargins());
  controller_.OnShow(screenArea.width(), screenArea.height(), outer.width(), outer.height());
  sync();
  activateWindow();
}

void SkinChooserDialog::reject() {
  controller_.OnCancel();
  sync();
}

bool SkinChooserDialog::eventFilter(QObject* watched, QEvent* event) {
  // A double click anywhere in the list, as the list box reports it; the
  // click before it has already selected the item under the pointer.
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    controller_.OnSkinDoubleClicked();
    sync();
    return !isVisible();  // closed: nothing more to do in the list
  }
  return QDialog::eventFilter(watched, event);
}

void SkinChooserDialog::selectionChanged() {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  if (!chosen.isEmpty()) controller_.OnSkinClicked(list_->row(chosen.first()));
  sync();  // also puts back a selection the list dropped on its own
}

void SkinChooserDialog::sync() {
  {
    const QSignalBlocker quiet(list_);
    QStringList items;
    for (const std::string& name : controller_.items()) items << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < list_->count(); ++i) shown << list_->item(i)->text();
    if (shown != items) {
      list_->clear();
      for (const QString& name : items) {
        auto* item = new QListWidgetItem(name, list_);
        item->setSizeHint(QSize(C::kSkinList.width, kItemHeight));
      }
    }
    if (const std::optional<int> row = controller_.selected()) {
      list_->setCurrentRow(*row, QItemSelectionModel::ClearAndSelect);
    } else {
      list_->clearSelection();
    }
  }
  apply_->setEnabled(controller_.applyEnabled());
  ok_->setEnabled(controller_.okEnabled());
  // The controller places the dialog only as it is shown; the user may move
  // it while it stays open.
  if (controller_.visible() && !isVisible()) {
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + controller_.left(), screenArea.y() + controller_.top());
    show();
  } else if (!controller_.visible() && isVisible()) {
    hide();
  }
}

}  // namespace moravel
