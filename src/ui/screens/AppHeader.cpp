#include "ui/screens/AppHeader.h"

#include <QHBoxLayout>

#include "ui/kit/PlainButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

AppHeader::AppHeader(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    row_->setContentsMargins(16, 12, 16, 12);
    row_->setSpacing(8);
    row_->addWidget(new SymbolView("sun.max.fill", TextStyle::title2, Theme::color(SystemColor::yellow)));
    auto* name = new TextLabel("Brillex", TextStyle::headline, QFont::DemiBold, SystemColor::primary);
    name->setObjectName("appName");
    row_->addWidget(name);
    row_->addStretch(1);
}

void AppHeader::addTrailing(QWidget* item) { row_->addWidget(item); }

PlainButton* AppHeader::symbolButton(const QString& symbol, QWidget* parent) {
    auto* button = new PlainButton(parent);
    button->addToFace(new SymbolView(symbol, TextStyle::title3, Theme::color(SystemColor::secondary)));
    return button;
}

} // namespace brillex
