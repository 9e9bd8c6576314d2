// A report in progress: the report prints bands by number, and the engine lays them out on
// pages, breaking to a new page (with the page footer and the next page header) when a band
// does not fit. Between prints the report changes controls by name: their text, picture,
// visibility, position and size. finish() hands over the page list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quay/export.h"
#include "quay/reports/engine/page_file.h"
#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/report_layout.h"
#include "quay/reports/engine/run_status.h"
#include "quay/reports/engine/text_measurer.h"
#include "quay/types/decimal.h"

namespace quay::reports {

namespace detail {
struct LaidItem;
struct LaidBand;
class PageStore;
}  // namespace detail

// Pagination:
//   - A page opens when the first band is printed on it; the page header is placed at the
//     top margin and room is kept for the page footer above the bottom margin.
//   - A band that does not fit in what is left goes whole to the next page. A band taller
//     than an empty page is split between pages at text-line boundaries; its lines and
//     boxes are cut where the page ends.
//   - A band kept with the next waits and goes on the page together with the next band
//     printed (both move to a new page when they do not fit together).
//   - A band printed across (labels three to a row) fills the columns of a row left to
//     right, one print per column, before the next print of it starts a new row; any
//     other band starts below the row.
//   - endPage() closes the open page (placing its footer); the next print opens a new one.
//   - finish() closes the open page and returns the page list. A run that printed nothing
//     gives an empty list.
// Memory: a page leaves memory as soon as it is closed; it goes to the run's page store
// (an unnamed temporary file) and the page list reads it back from there. "{pages}" is
// filled in as a page is read back, when the count is known. A page that cannot be
// written (a full disk) ends the run: print() answers PagesNotStored from then on.
// The run works on its own copy of the layout; control changes last until changed again.
class QUAY_EXPORT ReportRun {
public:
    // Measures with the caller's measurer (the installed fonts: QtTextMeasurer), which must
    // outlive the run.
    ReportRun(const ReportLayout& layout, const TextMeasurer& measurer);
    ~ReportRun();
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    // Lays out the band with the controls as they are now and places it. UnknownBand,
    // AutomaticBand (page header/footer) or Finished leave the pages unchanged;
    // PagesNotStored when the run's pages could not be stored (see status()).
    RunStatus print(int bandNumber);
    // Closes the open page, if any.
    void endPage();
    // The page list, once; afterwards every call answers Finished or an empty list. After a
    // storing failure the list is empty: an incomplete report is never handed over.
    PageList finish();

    // Where finished pages go; by default an unnamed file in the system's temporary folder,
    // made when the first page closes.
    // REQUIRES: no page has closed yet.
    void setPageFile(std::unique_ptr<PageFile> file);
    // PagesNotStored once a finished page could not be written; Ok otherwise.
    RunStatus status() const;
    // Why the pages could not be stored, for the user; empty while they could.
    std::string failureText() const;

    // Control changes. UnknownControl, InvalidValue and WrongKind change nothing.
    RunStatus setText(std::string_view name, std::string text);
    // Field controls: the value shown through the field's picture ("@n$-13.2", "@d2",
    // "@s20"), without the blanks that pad it to the picture's width (the control's alignment
    // places it). A field without a picture shows the value's plain text.
    template <int D, int P>
    RunStatus setValue(std::string_view name, const core::Decimal<D, P>& value) {
        return setScaledValue(name, value.scaled(), P);
    }
    // A LONG: a whole number, a day number or a time value, by the picture's kind.
    RunStatus setValue(std::string_view name, std::int64_t value) { return setScaledValue(name, value, 0); }
    RunStatus setValue(std::string_view name, int value) { return setScaledValue(name, value, 0); }
    RunStatus setValue(std::string_view name, std::string_view text);
    RunStatus setValue(std::string_view name, const char* text) { return setValue(name, std::string_view(text)); }
    // A number given as scaled / 10^places.
    RunStatus setScaledValue(std::string_view name, std::int64_t scaled, int places);
    // InvalidValue for a picture that cannot be compiled; the field keeps its picture.
    RunStatus setPicture(std::string_view name, std::string picture);
    RunStatus setHidden(std::string_view name, bool hidden);
    RunStatus setX(std::string_view name, Units x);
    RunStatus setY(std::string_view name, Units y);
    RunStatus setWidth(std::string_view name, Units width);
    RunStatus setHeight(std::string_view name, Units height);
    RunStatus setImage(std::string_view name, std::string imagePath);
    // The control as it is now; nullptr for an unknown name.
    const Control* control(std::string_view name) const;

    // The extent a wrapped text control would take with its current text and width: its line
    // count and line height, for reports that size rules or bands by a text's length.
    int lineCount(std::string_view name) const;
    Units lineHeight(std::string_view name) const;

    int copies() const { return m_copies; }
    // InvalidValue for a count below 1.
    RunStatus setCopies(int copies);
    const std::string& printerName() const { return m_printerName; }
    void setPrinterName(std::string name) { m_printerName = std::move(name); }

    // Pages begun so far, the open one included.
    int pageCount() const { return m_closedPages + (m_pageOpen ? 1 : 0); }
    bool isPageOpen() const { return m_pageOpen; }
    // The height still free for bands on the open page; the whole body of a fresh page
    // when no page is open.
    Units remainingHeight() const;

private:
    Control* findControl(std::string_view name);
    void openPage();
    void closePage();
    Units freshPageBodyHeight() const;
    void place(std::vector<detail::LaidItem>& items, Units offsetY, Units offsetX = 0);
    // Places a laid-out band at the cursor, breaking pages as needed; acrossBand starts a
    // row of columns for that band number (0: none).
    void placeBand(detail::LaidBand&& laid, int acrossBand);
    static void append(detail::LaidBand& to, detail::LaidBand&& band);
    void flushPending();

    ReportLayout m_layout;
    const TextMeasurer* m_measurer;
    std::shared_ptr<detail::PageStore> m_store;
    Page m_openPage;                            // the page being filled
    std::vector<std::uint32_t> m_openPatterns;  // its items holding a page-number pattern
    int m_closedPages = 0;
    bool m_failed = false;                        // a closed page could not be stored
    std::unique_ptr<detail::LaidBand> m_pending;  // bands kept with the next, waiting for it
    bool m_pageOpen = false;
    bool m_pageUsed = false;  // a band other than the page header is on the open page
    bool m_finished = false;
    Units m_cursorY = 0;     // where the next band goes on the open page
    Units m_bodyBottom = 0;  // the lowest y a band may reach on the open page
    int m_acrossBand = 0;    // the band filling the current row of columns; 0: none
    int m_acrossColumn = 0;  // columns of that row already filled
    Units m_rowTop = 0;
    Units m_rowHeight = 0;
    int m_copies = 1;
    std::string m_printerName;
};

}  // namespace quay::reports
