// Fuzz target: FieldReader's lines and fields of every kind over arbitrary bytes, held, borrowed
// and read from a file in chunks, which must all read alike.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "data/field_reader.h"
#include "data/read_error.h"
#include "fuzz_check.h"
#include "scratch_folder.h"
#include "support/open_descriptors.h"

namespace {

using granomet::FieldReader;
using granomet::ReadError;
using granomet::fuzz::require;

enum class Step { Line, SkipLine, Text, Int16, Single, Double, Any, Skip, AtEnd };
constexpr unsigned kStepKinds = 9;

// The input's first byte chooses the steps: below 9 one kind of step over the
// whole input (all lines, all 16-bit fields...), otherwise a mixture drawn
// from a generator it seeds.
class StepPlan {
 public:
  explicit StepPlan(std::uint8_t choice) : choice_(choice), state_(0x9E3779B9u ^ choice) {}
  Step next() {
    if (choice_ < kStepKinds) {
      return static_cast<Step>(choice_);
    }
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<Step>(state_ % kStepKinds);
  }

 private:
  std::uint8_t choice_;
  std::uint32_t state_;
};

std::string hexFloat(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

// One step as comparable text: what it gave, or "F" and the cause it failed with.
std::string take(FieldReader& reader, Step step) {
  switch (step) {
    case Step::Line: {
      const std::string line = reader.readLine();
      require(line.find_first_of("\r\n") == std::string::npos, "una línea lleva su fin de línea");
      return "L" + line;
    }
    case Step::SkipLine: {
      const granomet::LineSummary line = reader.skipLine();
      return "S" + std::to_string(line.length) + ":" + std::to_string(line.lastChar);
    }
    case Step::Text:
      return "T" + reader.readText();
    case Step::Int16:
      return "I" + std::to_string(reader.readInt16());
    case Step::Single: {
      const float value = reader.readSingle();
      require(std::isfinite(value), "un campo de precisión simple no es finito");
      return "F" + hexFloat(value);
    }
    case Step::Double: {
      const double value = reader.readDouble();
      require(std::isfinite(value), "un campo de precisión doble no es finito");
      return "D" + hexFloat(value);
    }
    case Step::Any:
      return "A" + reader.readText();
    case Step::Skip:
      reader.skipField();
      return "K";
    case Step::AtEnd:
      return reader.atEnd() ? "E1" : "E0";
  }
  return "?";
}

bool takesText(Step step) {
  return step == Step::Text || step == Step::Any || step == Step::Skip;
}

// What take() gave, or "X" and the cause of the failure.
std::string attempt(FieldReader& reader, Step step) {
  try {
    return take(reader, step);
  } catch (const ReadError& error) {
    return "X" + std::to_string(static_cast<int>(error.cause()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int descriptors = granomet::testing::openDescriptorCount();
  {
    const std::string loaded =
        granomet::readInputFile(granomet::fuzz::scratchFolder().write("campos.txt", bytes));
    require(loaded == bytes, "el fichero se carga con otros bytes");
    const granomet::FieldFormat format = granomet::commaFormatOf(bytes);
    FieldReader held = FieldReader::overBytes(loaded, format);
    FieldReader borrowed = FieldReader::overBytes(bytes, format);
    StepPlan plan(data[0]);
    std::string previous;
    // Every step but atEnd consumes a byte or the field a final comma promises.
    const std::size_t limit = 4 * bytes.size() + 16;
    for (std::size_t i = 0; i < limit; ++i) {
      const Step step = plan.next();
      const std::size_t before = borrowed.offset();
      const std::string result = attempt(held, step);
      require(attempt(borrowed, step) == result, "el fichero se lee distinto que sus bytes");
      require(held.offset() == borrowed.offset(), "el fichero avanza distinto que sus bytes");
      require(before <= borrowed.offset(), "la posición retrocede");
      if (result.starts_with('X')) {
        const bool endOfFile =
            result == "X" + std::to_string(static_cast<int>(ReadError::Cause::EndOfFile));
        // Blanks alone are left for a line, not a field: a field skips them first.
        const bool onlyBlanks =
            bytes.substr(before).find_first_not_of(" \t") == std::string_view::npos;
        require(!(previous == "E0" && takesText(step) && endOfFile && !onlyBlanks),
                "atEnd() prometía un campo más y no lo hay");
        break;
      }
      require(!(previous == "E1" && step != Step::AtEnd),
              "atEnd() no había nada más y se ha leído");
      previous = result;
    }
  }
  require(granomet::testing::openDescriptorCount() == descriptors, "queda un fichero abierto");
  return 0;
}
