#pragma once
// What the main window offers beyond its own layout: F2 opens the design details window (or
// brings it to the front), and a right-click on either chart opens a menu with the details
// and the command line's texts of the last design (results, SPICE netlists, the response as
// CSV), whose items are disabled until a "Go" has computed results. The details window is made
// on first need and follows every later "Go" that computed results.

#include "forms/TComponent.h"
#include "forms/Events.h"

#include <optional>
#include <string>
#include <vector>

class TForm1;
class TPopupMenu;
class TDetailsForm;

class TMainWindowDetails : public TComponent {
public:
    // The menu's items, in order.
    enum TItem { ItemDetails, ItemCopyResults, ItemCopyLowPassNetlist, ItemCopyHighPassNetlist, ItemCopyResponse };

    TMainWindowDetails(TComponent* owner, TForm1& main);

    TPopupMenu* Menu() const { return menu_; }
    // The details window, or nullptr before it was first opened.
    TDetailsForm* DetailsWindow() const { return details_; }
    // Makes the details window when needed, shows it with the last design and brings it to
    // the front.
    void OpenDetails();

    // Whether a "Go" has computed results (the menu items are enabled).
    bool HasResults() const { return !arguments_.empty(); }
    // The command line's answer for the last design: the command's words (e.g. "netlist",
    // "lp") followed by the design's options.
    std::string CommandLineText(std::vector<std::string> command) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ResultsComputed();
    void MenuPopup();
    void ItemClick(TObject* sender);
    void FormKeyDown(uint16_t& key);
    void ShowDesignInDetails();

    TForm1& main_;
    TPopupMenu* menu_ = nullptr;
    TDetailsForm* details_ = nullptr;
    // The options of the last design as the command line takes them ("--fc", "100", ...), and
    // the heading of the inputs as the user entered them.
    std::vector<std::string> arguments_;
    std::string heading_;
};

// The connection of the running program's main window, or nullptr.
extern TMainWindowDetails* MainWindowDetails;
