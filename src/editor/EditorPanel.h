#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct BITMAP;

// The editor's own lines over the map, in the library's 8-pixel font: the
// readout of the cursor and the nearest object at the top, the last check's
// verdict under it (wrapped to the frame and kept until the next command),
// a save that failed under it (kept until the track is saved), and the keys
// at the bottom, shown or hidden with H.
class EditorPanel {
public:
    static constexpr int kLeft = 4;
    static constexpr int kTop = 4;
    static constexpr int kLineHeight = 10;
    // characters a line of the frame holds, margins kept
    static constexpr std::size_t kColumns = 78;
    // the verdict's lines at most; a longer one ends in "..."
    static constexpr std::size_t kVerdictLines = 14;
    static constexpr std::size_t kAlertLines = 4;

    void setVerdict(const std::string& text) { verdict = wrap(text, kColumns, kVerdictLines); }
    // Paragraphs, each from a line of its own, as many lines as fit.
    void setVerdict(const std::vector<std::string>& paragraphs);
    void clearVerdict() { verdict.clear(); }
    // The verdict as it stands on the screen, line by line.
    const std::vector<std::string>& getVerdict() const { return verdict; }
    void setAlert(const std::string& text) { alert = wrap(text, kColumns, kAlertLines); }
    const std::vector<std::string>& getAlert() const { return alert; }
    void toggleHelp() { helpShown = !helpShown; }
    bool isHelpShown() const { return helpShown; }

    void draw(BITMAP* target, const std::vector<std::string>& readout) const;

    // `text` in lines of at most `columns` characters, broken at spaces
    // where it can be; no more than `lines` of them.
    static std::vector<std::string> wrap(const std::string& text, std::size_t columns, std::size_t lines);
    // The keys of the editor, a line each.
    static const std::vector<std::string>& helpLines();

private:
    std::vector<std::string> verdict;
    std::vector<std::string> alert;
    bool helpShown = true;
};
