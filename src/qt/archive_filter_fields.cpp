#include "qt/archive_filter_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <tuple>

#include "archive/filter_text.h"
#include "compute/shepard.h"
#include "qt/qt_text.h"
#include "statistics/folk_group.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

using messages::ArchiveWindowText;

QString said(ArchiveWindowText text) {
  return QString::fromStdString(messages::archiveWindowText(text));
}

std::string trimmedText(const QLineEdit& field) {
  return field.text().trimmed().toStdString();
}

std::string with(ArchiveWindowText text, const std::string& typed) {
  return said(text).arg(QString::fromStdString(typed)).toStdString();
}

bool later(const LocalDateTime& a, const LocalDateTime& b) {
  return std::tie(a.year, a.month, a.day) > std::tie(b.year, b.month, b.day);
}

constexpr int kFolkGroups = static_cast<int>(FolkGroup::Clay) + 1;

}  // namespace

ArchiveFilterFields::ArchiveFilterFields(QWidget* parent) : QWidget(parent) {
  campaign_ = addText("campaign", {});
  lot_ = addText("lot", {});
  sample_ = addText("sample", {});
  depth_ = addText("depth", messages::archiveWindowText(ArchiveWindowText::DepthHint));
  zone_ = addText("zone", messages::archiveWindowText(ArchiveWindowText::ZoneHint));
  since_ = addText("since", messages::archiveWindowText(ArchiveWindowText::DateHint));
  until_ = addText("until", messages::archiveWindowText(ArchiveWindowText::DateHint));
  zone_->setMinimumWidth(zone_->fontMetrics().horizontalAdvance(zone_->placeholderText()) + 24);

  // Shepard's classes by their Spanish names, each asked for by its code.
  shepard_ = new QComboBox(this);
  shepard_->setObjectName("shepard");
  shepard_->addItem(said(ArchiveWindowText::AnyClass), QString());
  for (int code = 1; code <= 10; ++code) {
    shepard_->addItem(toQString(messages::shepardClassName(code)) + " (" +
                          QString::fromLatin1(shepardName(static_cast<std::int16_t>(code))) + ")",
                      QString::number(code));
  }

  // Folk's groups by their letters; one may be typed.
  folk_ = new QComboBox(this);
  folk_->setObjectName("folk");
  folk_->setEditable(true);
  folk_->setInsertPolicy(QComboBox::NoInsert);
  folk_->addItem(said(ArchiveWindowText::AnyGroup));
  for (int group = 0; group < kFolkGroups; ++group) {
    folk_->addItem(QString::fromLatin1(folkCode(static_cast<FolkGroup>(group))));
  }
  // Enter reaches the combo after its line edit has ignored it, and the combo would
  // hand it back to the line edit: caught here, it searches once.
  folk_->installEventFilter(this);

  allVersions_ = new QCheckBox(said(ArchiveWindowText::AllVersions), this);
  allVersions_->setObjectName("allVersions");

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  const auto place = [grid, this](int row, int column, ArchiveWindowText label, QWidget* field) {
    auto* title = new QLabel(said(label), this);
    title->setBuddy(field);
    grid->addWidget(title, row, column * 2);
    grid->addWidget(field, row, column * 2 + 1);
  };
  place(0, 0, ArchiveWindowText::Campaign, campaign_);
  place(0, 1, ArchiveWindowText::Lot, lot_);
  place(0, 2, ArchiveWindowText::Sample, sample_);
  place(1, 0, ArchiveWindowText::Shepard, shepard_);
  place(1, 1, ArchiveWindowText::Folk, folk_);
  place(1, 2, ArchiveWindowText::Depth, depth_);
  place(2, 0, ArchiveWindowText::Zone, zone_);
  place(2, 1, ArchiveWindowText::Since, since_);
  place(2, 2, ArchiveWindowText::Until, until_);
  grid->addWidget(allVersions_, 3, 1, 1, 5);
  for (const int column : {1, 3, 5}) {
    grid->setColumnStretch(column, 1);
  }
}

bool ArchiveFilterFields::eventFilter(QObject* watched, QEvent* event) {
  if (watched == folk_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit searchAsked();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QLineEdit* ArchiveFilterFields::addText(const char* name, const std::string& placeholder) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setPlaceholderText(QString::fromStdString(placeholder));
  field->setClearButtonEnabled(true);
  connect(field, &QLineEdit::returnPressed, this, &ArchiveFilterFields::searchAsked);
  return field;
}

// The mark is the field's "fault" property, drawn by the window's style sheet, and
// its tool tip; an empty fault clears both.
void ArchiveFilterFields::mark(QWidget* field, const std::string& fault,
                               std::vector<std::string>& faults) {
  field->setProperty("fault", QString::fromStdString(fault));
  field->setToolTip(QString::fromStdString(fault));
  field->setStyleSheet(fault.empty() ? QString() : QStringLiteral("background: #ffd6d6;"));
  if (!fault.empty()) {
    faults.push_back(fault);
  }
}

FilterReading ArchiveFilterFields::read() {
  FilterReading reading;
  ArchiveFilter& filter = reading.filter;
  std::vector<std::string>& faults = reading.faults;
  filter.campaign = trimmedText(*campaign_);
  filter.lot = trimmedText(*lot_);
  filter.sample = trimmedText(*sample_);
  filter.shepard = shepard_->currentData().toString().toStdString();
  filter.allVersions = allVersions_->isChecked();

  const QString folk = folk_->currentText().trimmed();
  std::string folkFault;
  if (!folk.isEmpty() && folk != said(ArchiveWindowText::AnyGroup)) {
    if (folk_->findText(folk, Qt::MatchFixedString | Qt::MatchCaseSensitive) > 0) {
      filter.folk = folk.toStdString();
    } else {
      folkFault = with(ArchiveWindowText::BadFolk, folk.toStdString());
    }
  }
  mark(folk_, folkFault, faults);

  const std::string depth = trimmedText(*depth_);
  std::string depthFault;
  if (!depth.empty()) {
    if (const auto range = depthRangeOf(depth)) {
      filter.depthMin = range->min;
      filter.depthMax = range->max;
    } else {
      depthFault = with(ArchiveWindowText::BadDepth, depth);
    }
  }
  mark(depth_, depthFault, faults);

  const std::string zone = trimmedText(*zone_);
  std::string zoneFault;
  if (!zone.empty()) {
    filter.zone = zoneOf(zone);
    if (!filter.zone) {
      zoneFault = with(ArchiveWindowText::BadZone, zone);
    }
  }
  mark(zone_, zoneFault, faults);

  for (auto [field, day, label] : {std::tuple{since_, &filter.since, ArchiveWindowText::Since},
                                   std::tuple{until_, &filter.until, ArchiveWindowText::Until}}) {
    const std::string typed = trimmedText(*field);
    std::string fault;
    if (!typed.empty()) {
      *day = filterDateOf(typed);
      if (!*day) {
        fault = said(ArchiveWindowText::BadDate)
                    .arg(said(label), QString::fromStdString(typed))
                    .toStdString();
      } else if (field == until_ && filter.since && later(*filter.since, **day)) {
        fault = messages::archiveWindowText(ArchiveWindowText::UntilBeforeSince);
      }
    }
    mark(field, fault, faults);
  }
  return reading;
}

}  // namespace granomet
