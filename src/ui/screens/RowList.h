#pragma once

#include <QVBoxLayout>
#include <QWidget>

#include <vector>

#include "boost/ScreenServices.h"

namespace brillex {

// A vertical list of per-display rows. The rows are made again only when the
// displays listed change; otherwise the same rows are kept and redrawn, so a
// slider being dragged stays under the pointer.
class RowList : public QWidget {
    Q_OBJECT
public:
    explicit RowList(int spacing, QWidget* parent = nullptr) : QWidget(parent), layout_(new QVBoxLayout(this)) {
        layout_->setContentsMargins(0, 0, 0, 0);
        layout_->setSpacing(spacing);
    }

    // The rows for `ids`, in that order; `make(id)` makes a missing one.
    template <class Row, class Make>
    std::vector<Row*> sync(const std::vector<DisplayId>& ids, Make make) {
        if (ids != ids_) {
            for (QWidget* row : rows_) {
                layout_->removeWidget(row);
                row->hide();
                row->deleteLater();
            }
            rows_.clear();
            for (DisplayId id : ids) {
                Row* row = make(id);
                layout_->addWidget(row);
                rows_.push_back(row);
            }
            ids_ = ids;
        }
        return rows<Row>();
    }

    template <class Row>
    std::vector<Row*> rows() const {
        std::vector<Row*> rows;
        for (QWidget* row : rows_) rows.push_back(static_cast<Row*>(row));
        return rows;
    }

private:
    QVBoxLayout* layout_;
    std::vector<DisplayId> ids_;
    std::vector<QWidget*> rows_;
};

} // namespace brillex
