#include "commands/ButtonEditorDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QUrl>
#include <QWindow>

#include "commands/DialogFont.h"

namespace moravel {

namespace {

using C = ButtonEditorController;

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

QRect ToQRect(const Rect& r) {
  return {r.x, r.y, r.width, r.height};
}

// The first local file, folder or launcher among the dragged URLs.
std::optional<std::filesystem::path> DroppedPath(const QMimeData* data) {
  if (!data || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty())
      return std::filesystem::path(url.toLocalFile().toStdString());
  }
  return std::nullopt;
}

// Qt's open-file dialog over the editor, without a filter.
std::optional<std::filesystem::path> AskForFile(QWidget* over) {
  const QString file = QFileDialog::getOpenFileName(over);
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(file.toStdString());
}

// `picture` drawn over white and light grey checks, so that its
// transparent parts show.
QPixmap OverCheckerboard(const Bitmap& picture, int square) {
  QImage shown(picture.width(), picture.height(), QImage::Format_RGB32);
  QPainter painter(&shown);
  for (int y = 0; y < shown.height(); y += square) {
    for (int x = 0; x < shown.width(); x += square) {
      const bool dark = (x / square + y / square) % 2 != 0;
      painter.fillRect(x, y, square, square, dark ? QColor(204, 204, 204) : QColor(Qt::white));
    }
  }
  const QImage view(picture.data(), picture.width(), picture.height(), picture.width() * 4,
                    QImage::Format_RGBA8888);
  painter.drawImage(0, 0, view);
  painter.end();
  return QPixmap::fromImage(shown);
}

constexpr int kItemHeight = 13;  // pixels, each line of the template list

}  // namespace

ButtonEditorDialog::ButtonEditorDialog(ButtonEditorController& controller)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      controller_(controller),
      chooseFile_([this] { return AskForFile(this); }) {
  setWindowTitle(Text(C::kCaption));
  setModal(false);
  setFont(DialogFont(8, false));
  setAcceptDrops(true);

  auto* title = new QLabel(Text(C::kTemplatesTitle), this);
  title->setGeometry(ToQRect(C::kTemplatesTitleAt));
  title->setFont(DialogFont(12, true));

  templates_ = new QListWidget(this);
  templates_->setGeometry(ToQRect(C::kTemplateList));
  templates_->setFont(DialogFont(8, true));
  templates_->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  templates_->setSelectionMode(QAbstractItemView::SingleSelection);
  templates_->setUniformItemSizes(true);
  templates_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  templates_->viewport()->installEventFilter(this);
  connect(templates_, &QListWidget::itemSelectionChanged, this,
          &ButtonEditorDialog::selectionChanged);
  connect(templates_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (!pressOnSelected_) return;  // a click that changed the selection was handled
    pressOnSelected_ = false;
    controller_.OnTemplateChosen(templates_->row(item));
    refresh();
  });

  buildActionGroup();
  buildIconGroup();

  auto* captionLabel = new QLabel(Text(C::kCaptionLabel), this);
  captionLabel->setGeometry(ToQRect(C::kCaptionLabelAt));
  captionLabel->setFont(DialogFont(8, true));
  caption_ = new QLineEdit(this);
  caption_->setGeometry(ToQRect(C::kCaptionEdit));
  caption_->setAcceptDrops(false);  // a dropped file opens it as the target
  captionLabel->setBuddy(caption_);
  connect(caption_, &QLineEdit::textEdited, this,
          [this](const QString& text) { controller_.OnCaptionEdited(text.toStdString()); });

  preview_ = new QLabel(this);
  preview_->move(C::kPreviewLeft, C::kPreviewTop);

  const auto button = [this](std::string_view caption, const Rect& at) {
    auto* b = new QPushButton(Text(caption), this);
    b->setGeometry(ToQRect(at));
    b->setFont(DialogFont(12, true));
    return b;
  };
  ok_ = button(C::kOkCaption, C::kOkButton);
  ok_->setDefault(true);
  cancel_ = button(C::kCancelCaption, C::kCancelButton);
  connect(ok_, &QPushButton::clicked, this, [this] {
    controller_.OnOk();
    refresh();
  });
  connect(cancel_, &QPushButton::clicked, this, &ButtonEditorDialog::reject);
  refresh();
}

void ButtonEditorDialog::buildActionGroup() {
  actionGroup_ = new QGroupBox(Text(C::kActionTitle), this);
  actionGroup_->setGeometry(ToQRect(C::kActionGroup));
  actionGroup_->setFont(DialogFont(12, true));
  target_ = new QLineEdit(actionGroup_);
  target_->setGeometry(ToQRect(C::kTargetEdit));
  target_->setFont(DialogFont(8, false));
  target_->setAcceptDrops(false);
  connect(target_, &QLineEdit::textEdited, this,
          [this](const QString& text) { controller_.OnTargetEdited(text.toStdString()); });
  browseTarget_ = new QPushButton(Text(C::kBrowseCaption), actionGroup_);
  browseTarget_->setGeometry(ToQRect(C::kBrowseTarget));
  browseTarget_->setFont(DialogFont(12, true));
  connect(browseTarget_, &QPushButton::clicked, this, [this] {
    controller_.OnBrowseTarget(chooseFile_());
    refresh();
  });
  // Radio buttons with one parent are one exclusive group.
  for (size_t i = 0; i < C::kActionChoices.size(); ++i) {
    const C::ActionChoice& choice = C::kActionChoices[i];
    auto* radio = new QRadioButton(Text(choice.caption), actionGroup_);
    radio->setGeometry(ToQRect(choice.at));
    radio->setFont(DialogFont(8, true));
    connect(radio, &QRadioButton::clicked, this, [this, action = choice.action] {
      controller_.OnActionChosen(action);
      refresh();
    });
    actions_[i] = radio;
  }
}

void ButtonEditorDialog::buildIconGroup() {
  iconGroup_ = new QGroupBox(Text(C::kIconsTitle), this);
  iconGroup_->setGeometry(ToQRect(C::kIconGroup));
  iconGroup_->setFont(DialogFont(12, true));
  for (size_t i = 0; i < C::kIconModeChoices.size(); ++i) {
    const C::IconModeChoice& choice = C::kIconModeChoices[i];
    auto* radio = new QRadioButton(Text(choice.caption), iconGroup_);
    radio->setGeometry(ToQRect(choice.at));
    radio->setFont(DialogFont(8, true));
    connect(radio, &QRadioButton::clicked, this, [this, mode = choice.mode] {
      controller_.OnIconModeChosen(mode);
      refresh();
    });
    iconModes_[i] = radio;
  }
  icon_ = new QLineEdit(iconGroup_);
  icon_->setGeometry(ToQRect(C::kIconEdit));
  icon_->setFont(DialogFont(8, false));
  icon_->setAcceptDrops(false);
  connect(icon_, &QLineEdit::textEdited, this,
          [this](const QString& text) { controller_.OnIconEdited(text.toStdString()); });
  browseIcon_ = new QPushButton(Text(C::kBrowseCaption), iconGroup_);
  browseIcon_->setGeometry(ToQRect(C::kBrowseIcon));
  browseIcon_->setFont(DialogFont(12, true));
  connect(browseIcon_, &QPushButton::clicked, this, [this] {
    controller_.OnBrowseIcon(chooseFile_());
    refresh();
  });
}

QAbstractButton& ButtonEditorDialog::actionButton(ButtonAction action) {
  size_t i = 0;
  while (i + 1 < C::kActionChoices.size() && C::kActionChoices[i].action != action) ++i;
  return *actions_[i];
}

QAbstractButton& ButtonEditorDialog::iconModeButton(ButtonEditorController::IconMode mode) {
  return *iconModes_[mode == C::IconMode::kAutomatic ? 0 : 1];
}

void ButtonEditorDialog::present() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  controller_.OnShow();
  refresh();
}

void ButtonEditorDialog::dropPath(const std::filesystem::path& path) {
  controller_.OnDropped(path);
  refresh();
  raise();
  activateWindow();
}

void ButtonEditorDialog::reject() {
  controller_.OnCancel();
  refresh();
}

void ButtonEditorDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedPath(event->mimeData())) event->acceptProposedAction();
}

void ButtonEditorDialog::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> path = DroppedPath(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  dropPath(*path);
}

bool ButtonEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == templates_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const QListWidgetItem* item = templates_->itemAt(at);
    pressOnSelected_ = item && controller_.selected() == templates_->row(item);
  }
  return QDialog::eventFilter(watched, event);
}

void ButtonEditorDialog::selectionChanged() {
  const QList<QListWidgetItem*> chosen = templates_->selectedItems();
  if (!chosen.isEmpty()) controller_.OnTemplateChosen(templates_->row(chosen.first()));
  refresh();  // also puts back a selection the list dropped on its own
}

void ButtonEditorDialog::refresh() {
  {
    const QSignalBlocker quiet(templates_);
    QStringList names, shown;
    for (const std::string& name : controller_.templateNames()) names << Text(name);
    for (int i = 0; i < templates_->count(); ++i) shown << templates_->item(i)->text();
    if (shown != names) {
      templates_->clear();
      for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, templates_);
        item->setSizeHint(QSize(C::kTemplateList.width, kItemHeight));
      }
    }
    if (const std::optional<int> row = controller_.selected()) {
      templates_->setCurrentRow(*row, QItemSelectionModel::ClearAndSelect);
    } else {
      templates_->clearSelection();
    }
  }
  // setText only when changed, so that typing keeps its cursor.
  const auto setText = [](QLineEdit* edit, const std::string& text) {
    if (edit->text() != Text(text)) edit->setText(Text(text));
  };
  setText(target_, controller_.targetText());
  setText(icon_, controller_.iconText());
  setText(caption_, controller_.captionBoxText());
  actionButton(controller_.action()).setChecked(true);
  iconModeButton(controller_.iconMode()).setChecked(true);
  caption_->setEnabled(controller_.captionEnabled());
  ok_->setEnabled(controller_.okEnabled());
  showPreview();

  const C::Layout& layout = controller_.layout();
  setFixedSize(layout.clientWidth, layout.clientHeight);
  templates_->resize(C::kTemplateList.width, layout.listHeight);
  ok_->move(C::kOkButton.x, layout.buttonsTop);
  cancel_->move(C::kCancelButton.x, layout.buttonsTop);

  if (controller_.visible() && !isVisible()) {
    showCentred();
  } else if (!controller_.visible() && isVisible()) {
    hide();
  }
}

void ButtonEditorDialog::showPreview() {
  const Bitmap& picture = controller_.preview();
  if (picture.empty()) {
    preview_->clear();
    preview_->resize(0, 0);
    preview_->hide();
    return;
  }
  preview_->setPixmap(OverCheckerboard(picture, kCheckerSquare));
  preview_->resize(picture.width(), picture.height());
  preview_->show();
}

void ButtonEditorDialog::showCentred() {
  // The outer size counts the window frame; the native window is made first
  // so that the platform can tell its margins, where it knows them already.
  winId();
  const QRect area = screen()->geometry();
  const QSize outer = size().grownBy(windowHandle()->frameMargins());
  move(area.x() + area.width() / 2 - outer.width() / 2,
       area.y() + area.height() / 2 - outer.height() / 2);
  show();
  raise();
  activateWindow();
}

}  // namespace moravel
