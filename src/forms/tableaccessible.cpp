#include "tableaccessible.h"

#include "commandbutton.h"
#include "formarea.h"

TableAccessible::~TableAccessible() {
    reset();
}

void TableAccessible::reset() {
    for (QAccessible::Id id : cells_) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
    cells_.clear();
}

void TableAccessible::cellChanged(int cell) const {
    if (std::size_t(cell) >= cells_.size() || !cells_[std::size_t(cell)])
        return;
    QAccessibleEvent event(QAccessible::accessibleInterface(cells_[std::size_t(cell)]),
                           QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QAccessibleInterface *TableAccessible::cell(int index) const {
    if (index < 0 || index >= area_.tableCells())
        return nullptr;
    cells_.resize(std::size_t(area_.tableCells()));
    QAccessible::Id &id = cells_[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new CellAccessible(area_, index));
    return QAccessible::accessibleInterface(id);
}

QWindow *TableAccessible::window() const {
    return area_.window()->windowHandle();
}

QAccessibleInterface *TableAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(&area_);
}

int TableAccessible::childCount() const {
    return area_.tableCells();
}

int TableAccessible::indexOfChild(const QAccessibleInterface *child) const {
    for (std::size_t index = 0; index < cells_.size(); ++index) {
        if (cells_[index] && QAccessible::accessibleInterface(cells_[index]) == child)
            return int(index);
    }
    return -1;
}

QAccessibleInterface *TableAccessible::childAt(int x, int y) const {
    const QPoint point = area_.mapFromGlobal(QPoint(x, y));
    for (int index = 0; index < area_.tableCells(); ++index) {
        if (area_.tableButton(index).pixelBox().contains(point))
            return cell(index);
    }
    return nullptr;
}

QRect TableAccessible::rect() const {
    if (area_.tableCells() == 0)
        return {};
    const QRect box = area_.tableButton(0).pixelBox().united(
        area_.tableButton(area_.tableCells() - 1).pixelBox());
    return QRect(area_.mapToGlobal(box.topLeft()), box.size());
}

void *TableAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface *>(this)
                                               : nullptr;
}

QAccessibleInterface *TableAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || column >= columnCount())
        return nullptr;
    return cell(row * columnCount() + column);
}

int TableAccessible::columnCount() const {
    return area_.tableColumns();
}

int TableAccessible::rowCount() const {
    return area_.tableColumns() ? area_.tableCells() / area_.tableColumns() : 0;
}

QWindow *CellAccessible::window() const {
    return area_.window()->windowHandle();
}

QString CellAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? area_.cellName(index_) : QString();
}

QRect CellAccessible::rect() const {
    const QRect box = area_.tableButton(index_).pixelBox();
    return QRect(area_.mapToGlobal(box.topLeft()), box.size());
}

QAccessible::State CellAccessible::state() const {
    const CommandButton &button = area_.tableButton(index_);
    QAccessible::State state;
    state.focusable = true;
    state.focused = button.hasFocus();
    state.disabled = button.isVisible() && !button.isEnabled();
    return state;
}

void *CellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

int CellAccessible::columnIndex() const {
    return index_ % area_.tableColumns();
}

int CellAccessible::rowIndex() const {
    return index_ / area_.tableColumns();
}

QAccessibleInterface *CellAccessible::table() const {
    return area_.tableAccessible();
}

QStringList CellAccessible::actionNames() const {
    return {pressAction(), showMenuAction()};
}

// Pressed as the mouse presses a cell: a left press, or a right one for its menu.
void CellAccessible::doAction(const QString &action) {
    if (action == pressAction())
        area_.pressCell(index_, CommandButton::LeftButton);
    else if (action == showMenuAction())
        area_.pressCell(index_, CommandButton::RightButton);
}
