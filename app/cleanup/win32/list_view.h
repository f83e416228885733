#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// The report lists of the clean-up dialogs (a list view of the template).

struct ListColumn {
    const char *header;
    int width;  // in dialog units, so that it scales with the dialog
    bool alignRight = false;
};

// Whole rows selected, tooltips for cells too narrow, a check box per row
// when `checkBoxes`, and these columns.
void setUpList(HWND list, const std::vector<ListColumn> &columns, bool checkBoxes);

// Replaces every row with `rowCount` rows of `columnCount` cells.
using CellText = std::function<std::string(std::size_t row, int column)>;
void fillList(HWND list, std::size_t rowCount, int columnCount, const CellText &cell);
void setListCell(HWND list, std::size_t row, int column, const std::string &text);

// Widens each of `columns` to its widest cell, never below the width it has.
void fitColumns(HWND list, std::initializer_list<int> columns);

// The selected rows in order; the row with the focus when none is selected.
std::vector<std::size_t> selectedRows(HWND list);
// The row with the focus, if any.
std::optional<std::size_t> currentRow(HWND list);
// Gives `row` the focus and selects it alone.
void makeCurrent(HWND list, std::size_t row);
