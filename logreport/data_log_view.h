#pragma once
// MemoDataLog: the view of the data log. It shows the lines of a LogLines store directly, drawing
// only the rows on screen, so a log of a million lines scrolls and repaints as fast as an empty
// one and costs the store's few bytes per line beyond its text.
//
//   appendLine(bytes)  stores the line at once; the scroll range, the picture and the following
//                      of the newest line are brought up to date on the next event-loop turn,
//                      and while lines keep coming at most every kRefreshInterval
//   lines()            the store, in arrival order, as the device sent the bytes
//
// The user scrolls, selects whole lines (click, shift-click, drag, Ctrl+A) and copies them
// (Ctrl+C); the program only appends and clears. While the last line is in view, new lines are
// scrolled into view; after the user scrolled up, the view stays where it is.
#include "logreport/log_lines.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

namespace m47::logreport {

class DataLogView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Turns a line's bytes into the text shown: the code page of the current language.
    using Decoder = std::function<QString(std::string_view bytes)>;
    // First and last selected line.
    using LineRange = std::pair<std::size_t, std::size_t>;

    // While lines keep coming the view is refreshed this often (ms); a repaint per serial
    // notification would cost more than the line itself.
    static constexpr int kRefreshInterval = 30;

    explicit DataLogView(QWidget* parent = nullptr);

    // Latin-1 until a decoder is set.
    void setDecoder(Decoder decoder);

    void appendLine(std::string_view bytes);
    void clear();
    // Lines were appended that the picture does not show yet.
    bool refreshPending() const { return refreshTimer_.isActive(); }

    const LogLines& lines() const { return lines_; }
    // The text shown for line `i`.
    QString lineText(std::size_t i) const;

    std::optional<LineRange> selection() const;
    void selectAll();
    // Puts the selected lines' text on the clipboard, one line per line.
    void copySelection() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void refresh();
    void updateScrollRanges();
    int rowHeight() const;
    int rowsInView() const;
    std::size_t lineAt(int y) const;
    bool isSelected(std::size_t line) const;

    LogLines lines_;
    Decoder decoder_;
    QTimer refreshTimer_; // one refresh for however many lines came
    QElapsedTimer lastRefresh_;
    std::optional<std::size_t> anchor_; // where the selection started
    std::optional<std::size_t> cursor_; // where it ends
};

} // namespace m47::logreport
