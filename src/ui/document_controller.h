#pragma once
// What the editor's commands need from the data-set layer: the current file
// state and the open, save and import drivers. The menu commands check the
// busy lock, show the dialogs (holding the lock for the main window) and
// pass the chosen path here. The drivers are called with the lock free:
// they check it themselves where the flow says so, take it around their own
// message boxes, report failures through the prompt and return false.
#include <functional>
#include <string>
#include <vector>

#include "datafiles/data_set.h"
#include "datafiles/document_state.h"

namespace vosk::ui {

class DocumentController {
 public:
  virtual ~DocumentController() = default;

  // False while this build has no open and save drivers: the file commands
  // are then shown disabled.
  virtual bool available() const = 0;

  // Current files, edited and data-loaded flags, loaded version.
  virtual const datafiles::DocumentState& state() const = 0;
  // The header's DiaTitle (CP932); empty while nothing is open.
  virtual std::string dia_title() const = 0;
  // UTF-8 lines describing the open data set (map, dia, table sizes).
  virtual std::vector<std::string> summary() const { return {}; }

  // Open driver without a dialog: the command line, the open dialog's
  // choice. Clears the message window and reports there on success.
  virtual bool open(const std::string& path) = 0;
  // True when the last open failed because the user chose Retry (a newer
  // file version): the open dialog is shown again.
  virtual bool open_wants_another_file() const { return false; }
  // In-place save; called only when state().can_save_in_place().
  virtual bool save_in_place() = 0;
  // Save under the name chosen in the save-as dialog (the extension decides
  // packing and the current paths).
  virtual bool save_as(const std::string& path) = 0;
  // WinDIA text import of a .dia file.
  virtual bool import_windia(const std::string& path) = 0;
  // First-tick recovery check after an abnormal end (runs only while
  // automatic backup is on; asks its own question).
  virtual void offer_recovery() = 0;
  // Called after an edit changes the open data set, so the owner can show
  // the edited mark and redraw; empty to stop. Layers without edits ignore it.
  virtual void set_change_listener(std::function<void()>) {}

  // The open data set for the windows that draw and operate it (the track
  // panel); null while nothing is open or the layer has no data set.
  virtual datafiles::DataSet* data_set() { return nullptr; }
  // A window's controller changed the open data set (a route set, a point
  // moved): the edited flag goes on and the change listener is told.
  virtual void mark_edited() {}
  // The open panel windows whose settings a save writes into the header
  // (null: the header's display sections are written back as read).
  virtual void set_display_windows(const datafiles::DisplayWindowSource*) {}
};

// The stand-in until the drivers exist: nothing is ever open.
class NoDocument : public DocumentController {
 public:
  bool available() const override { return false; }
  const datafiles::DocumentState& state() const override { return state_; }
  std::string dia_title() const override { return {}; }
  bool open(const std::string&) override { return false; }
  bool save_in_place() override { return false; }
  bool save_as(const std::string&) override { return false; }
  bool import_windia(const std::string&) override { return false; }
  void offer_recovery() override {}

 private:
  datafiles::DocumentState state_;
};

}  // namespace vosk::ui
