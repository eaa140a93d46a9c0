#include "ui/screens/DisplayTitleLine.h"

#include <QHBoxLayout>

#include "settings/Localization.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

DisplayTitleLine::DisplayTitleLine(QWidget* parent)
    : QWidget(parent), row_(new QHBoxLayout(this)),
      symbol_(new SymbolView("display", TextStyle::caption, Theme::color(SystemColor::secondary))),
      name_(new TextLabel({}, TextStyle::caption, SystemColor::primary)) {
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(8);
    symbol_->setBoxWidth(14);
    name_->setElided(true);
    name_->setObjectName("displayName");
    row_->addWidget(symbol_);
    row_->addWidget(name_, 1);
}

void DisplayTitleLine::showDisplay(bool isBuiltIn, const std::string& name, const Localization& loc) {
    symbol_->setSymbol(isBuiltIn ? "laptopcomputer" : "display");
    name_->setText(QString::fromStdString(isBuiltIn ? loc.localized("built_in_display") : name));
}

void DisplayTitleLine::addTrailing(QWidget* item) { row_->addWidget(item); }

} // namespace brillex
