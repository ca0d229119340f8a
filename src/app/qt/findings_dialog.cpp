#include "app/qt/findings_dialog.hpp"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/findings_list.hpp"
#include "app/qt/dialogs.hpp"
#include "app/qt/qt_text.hpp"
#include "app/startup.hpp"
#include "words/window_texts.hpp"

namespace sintegra::app {
namespace {

QComboBox* filterBox(const FindingsList& findings, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("filter"));
    for (const std::string& filter : findings.filters()) {
        box->addItem(fromEngineText(filter));
    }
    return box;
}

QTreeWidget* findingsTable(QWidget* parent) {
    auto* table = new QTreeWidget(parent);
    table->setObjectName(QStringLiteral("findings"));
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setAlternatingRowColors(true);
    QStringList headings;
    for (std::size_t column = 0; column < kFindingColumns; ++column) {
        headings.append(fromEngineText(FindingsList::heading(static_cast<FindingColumn>(column))));
    }
    table->setHeaderLabels(headings);
    table->header()->setSectionsClickable(true);
    table->header()->setSortIndicatorShown(true);
    // No column at first: the list's own order, errors first.
    table->header()->setSortIndicator(-1, Qt::AscendingOrder);
    return table;
}

} // namespace

FindingsDialog::FindingsDialog(const FindingsList& findings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , findings_(findings)
    , dialogs_(dialogs)
    , filter_(filterBox(findings, this))
    , list_(findingsTable(this)) {
    setWindowTitle(fromEngineText(texts::kFindingsTitle));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    QStringList counts;
    for (const std::string& line : findings.counts()) {
        counts.append(fromEngineText(line));
    }
    auto* top = new QLabel(counts.join(QLatin1Char('\n')), this);
    top->setObjectName(QStringLiteral("counts"));
    top->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(fromEngineText(texts::kFilterByCheck), this));
    filterRow->addWidget(filter_, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(fromEngineText(texts::kSaveReport), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("save"));
    // Enter closes, as in the Win32 window: saving takes a choice of file.
    buttons->addButton(fromEngineText(texts::kClose), QDialogButtonBox::RejectRole)->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addLayout(filterRow);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    connect(filter_, &QComboBox::currentIndexChanged, this, &FindingsDialog::fill);
    connect(list_->header(), &QHeaderView::sortIndicatorChanged, this, &FindingsDialog::fill);
    connect(save, &QPushButton::clicked, this, &FindingsDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
    fitScreen();
}

void FindingsDialog::fill() {
    const QHeaderView& header = *list_->header();
    const int section = header.sortIndicatorSection();
    const auto rows =
        findings_.shown(static_cast<std::size_t>(std::max(0, filter_->currentIndex())),
                        section < 0 ? std::nullopt : std::optional(static_cast<FindingColumn>(section)),
                        header.sortIndicatorOrder() == Qt::DescendingOrder);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const std::size_t row : rows) {
        auto* item = new QTreeWidgetItem;
        for (std::size_t column = 0; column < kFindingColumns; ++column) {
            item->setText(static_cast<int>(column),
                          fromEngineText(findings_.cell(row, static_cast<FindingColumn>(column))));
        }
        items.append(item);
    }
    list_->addTopLevelItems(items);
}

void FindingsDialog::save() {
    ReportFormat format = ReportFormat::Text;
    const QString path = dialogs_.chooseReportFile(this, format);
    if (path.isEmpty()) {
        return;
    }
    caught([&] { saveReport(findings_, toEnginePath(path), format); },
           [this](const std::string& text) { dialogs_.inform(this, fromEngineText(text)); });
}

void FindingsDialog::fitScreen() {
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    const QRect room = screen()->availableGeometry();
    const QSize wanted = sizeHint().expandedTo(QSize(760, 480));
    resize(std::min(wanted.width(), room.width() * 9 / 10),
           std::min(wanted.height(), room.height() * 9 / 10));
}

} // namespace sintegra::app
