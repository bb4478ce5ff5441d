// The operations through which the work flow acts on the main window, its dialog and graph.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "data/size_classes.h"

namespace granomet {

// Control names are the window's own, kept as the lab's earlier program named
// them. All texts crossing these operations are the program's 8-bit
// (Windows-1252) bytes; each realisation converts at its edge.
enum class TextBoxId {
  LOTE_file,        // the lot file's name
  EXPORT_file,      // the laser export file's name
  recalculado_file  // the results file's name, «Fichero de salida»
};
enum class ListId {
  List1,  // the samples: listed from the lot and the export, then the calculated ones
  List2   // in red: the samples ignored or not calculated, and repeated order numbers
};
enum class LabelId {
  Label8,   // the status line under the lists
  Label10,  // the count of List1, «Calculadas»
  Label11   // the count of List2, «Ignoradas»
};
enum class ButtonId {
  exportbutton,  // opens and reads the export
  calculatot     // «Cálculo»: the calculation
};

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kDarkRed{192, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kLightYellow{255, 255, 128};

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning, Error };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
  std::string prompt;
  std::string title;  // empty: the program's name
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  // Yes is the default of Yes and No, except where a hasty Return would destroy
  // something.
  bool defaultNo = false;
  // One of the warnings a press may give once per sample (an ignored sample, a
  // repeated order number): a damaged export can ask for thousands, so a window
  // may hold back a long series, the red list keeping every sample with its reason.
  bool perSampleWarning = false;
};

inline constexpr std::string_view kProgramName = "Granomet";

std::string_view effectiveTitle(const MessageRequest& request);
MessageAnswer defaultAnswer(const MessageRequest& request);

// The window's one file-open dialog. Its held name outlives each use: it opens
// showing that name, choosing a file replaces it with the file's full path and
// makes the file's folder the current folder, cancelling changes nothing.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Alternating descriptions and patterns separated by "|".
  virtual void setFilter(std::string filter) = 0;
  // Counted from 1, a description and pattern pair.
  virtual void setFilterIndex(int entry) = 0;
  virtual void showOpen() = 0;
  // A path, never text: it opens whatever the system can open, whatever its
  // characters.
  virtual std::filesystem::path fileName() const = 0;
  virtual void setFileName(std::filesystem::path name) = 0;
};

// Both buttons open the dialog on their filter list's second entry, the files
// they expect; returns the held name, empty when the user cancelled the first use.
std::filesystem::path showOpenDialog(FileDialog& dialog, std::string filter);

using CurveValues = std::array<float, kSizeClasses>;

// What places a calculated sample on the ternary diagram and names its field.
struct SampleComposition {
  // Percent of the shell-free sample.
  double gravelPercent = 0;
  double sandPercent = 0;
  double siltPercent = 0;
  double clayPercent = 0;
  int shepardCode = 0;  // 1 to 10
};

class Graph {
 public:
  virtual ~Graph() = default;
  virtual void startRun() = 0;
  // x: natural logarithms of the class diameters; y: class weights in percent.
  virtual void plotCurve(std::string_view sampleName, const CurveValues& x, const CurveValues& y,
                         const SampleComposition& composition) = 0;
};

class WindowOperations {
 public:
  virtual ~WindowOperations() = default;

  virtual std::string text(TextBoxId box) const = 0;
  virtual void setText(TextBoxId box, std::string text) = 0;

  // Items are shown in the order they were added; positions count from 0.
  virtual void clearList(ListId list) = 0;
  virtual void addItem(ListId list, std::string item) = 0;
  // reason: why the item is listed (the warning of an ignored sample), for the
  // user to read again on the item after its box is gone.
  virtual void addItemWithReason(ListId list, std::string item, std::string reason) = 0;
  virtual int itemCount(ListId list) const = 0;
  virtual std::string item(ListId list, int position) const = 0;
  virtual void setListTextColor(ListId list, Rgb color) = 0;

  virtual void setLabelText(LabelId label, std::string text) = 0;
  virtual void setLabelTextColor(LabelId label, Rgb color) = 0;
  virtual void setLabelBackColor(LabelId label, Rgb color) = 0;
  // Shown while the pointer rests on the label; empty: none.
  virtual void setLabelToolTip(LabelId label, std::string tip) = 0;

  virtual void setEnabled(ButtonId button, bool enabled) = 0;

  // Modal; returns the button pressed.
  virtual MessageAnswer showMessage(const MessageRequest& request) = 0;

  virtual FileDialog& fileDialog() = 0;
  virtual Graph& graph() = 0;
};

// Empties the three file boxes and both lists, sets both counts to "0" and takes
// the last run's tooltip off the count of List1; the buttons, the status line
// and the graph stay as they are. Files are owned by the handler that opened
// them and are closed before it returns, so none is open here.
void resetWindow(WindowOperations& window);

}  // namespace granomet
