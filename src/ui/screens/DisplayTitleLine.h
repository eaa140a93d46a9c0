#pragma once

#include <QWidget>

#include <string>

class QHBoxLayout;

namespace brillex {

class Localization;
class SymbolView;
class TextLabel;

// The first line of a display's row: its symbol (a laptop for the built-in
// panel, a monitor otherwise) and its name, then the row's own items at the
// right end.
class DisplayTitleLine : public QWidget {
    Q_OBJECT
public:
    explicit DisplayTitleLine(QWidget* parent = nullptr);

    void showDisplay(bool isBuiltIn, const std::string& name, const Localization& loc);
    void addTrailing(QWidget* item);

    const SymbolView* symbol() const { return symbol_; }
    const TextLabel* name() const { return name_; }

private:
    QHBoxLayout* row_;
    SymbolView* symbol_;
    TextLabel* name_;
};

} // namespace brillex
