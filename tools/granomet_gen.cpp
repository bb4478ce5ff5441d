// granomet-gen: writes a synthetic lot file and its matching laser export file into a folder.
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "samplegen/sample_files.h"

namespace {

constexpr int kMaxSamples = 254;

void printUsage() {
  std::fputs(
      "usage: granomet-gen [--samples N] [--lot NAME] [--trailing-comma] [--lab-names]\n"
      "                    [--mismatch K] [--other-lot K] [--all-shells N] [--orders 5,5,7]\n"
      "                    [--cores N] [--without-position K] [--seed S] OUTDIR\n"
      "  --samples N       lot rows and export blocks, 0..254 (default 12)\n"
      "  --lot NAME        lot name, also the file names (default LOTE12)\n"
      "  --trailing-comma  end every export sample line with a comma\n"
      "  --lab-names       long names with accents, as the lab writes them, up to 40\n"
      "                    characters (BC16-001-GOLFO DE CADIZ-Penon), instead of M-01\n"
      "  --mismatch K      every K-th export block gets a sample name unlike the lot's\n"
      "  --other-lot K     every K-th export block names another lot\n"
      "  --all-shells N    lot row N is all shells (its shell-free weight is 0)\n"
      "  --orders LIST     order numbers of the export blocks, in file order\n"
      "  --cores N         N stations are cores of 4 to 6 levels from row 2 on, one row\n"
      "                    between them, sub-depths 0-2, 2-4... (the first core's top\n"
      "                    \"superficial\", the second core's third level \"s/d\")\n"
      "  --without-position K  every K-th row outside the cores has no position (the\n"
      "                    first 0,0, the others empty)\n"
      "  --seed S          seed for the generated values (default 1)\n",
      stderr);
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::vector<int>> parseOrders(std::string_view text) {
  std::vector<int> orders;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::optional<int> order = parseNumber<int>(text.substr(0, comma));
    if (!order) {
      return std::nullopt;
    }
    orders.push_back(*order);
    if (comma == std::string_view::npos) {
      return orders;
    }
    text.remove_prefix(comma + 1);
  }
}

// Fills options and folder from the arguments; false on anything malformed.
bool parseArguments(int argc, char** argv, granomet::tools::SampleFileOptions& options,
                    std::filesystem::path& folder) {
  bool haveFolder = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--trailing-comma" || argument == "--lab-names") {
      (argument == "--trailing-comma" ? options.trailingComma : options.labNames) = true;
      continue;
    }
    if (argument.starts_with("--")) {
      if (i + 1 >= argc) {
        return false;
      }
      const std::string_view value = argv[++i];
      if (argument == "--samples") {
        const auto count = parseNumber<int>(value);
        if (!count || *count < 0 || *count > kMaxSamples) {
          return false;
        }
        options.sampleCount = *count;
      } else if (argument == "--lot") {
        if (value.empty()) {
          return false;
        }
        options.lotName = value;
      } else if (argument == "--mismatch" || argument == "--other-lot" || argument == "--cores" ||
                 argument == "--without-position") {
        const auto every = parseNumber<int>(value);
        if (!every || *every < 0) {
          return false;
        }
        (argument == "--mismatch"    ? options.nameMismatchEvery
         : argument == "--other-lot" ? options.otherLotEvery
         : argument == "--cores"     ? options.coreCount
                                     : options.withoutPositionEvery) = *every;
      } else if (argument == "--all-shells") {
        const auto row = parseNumber<int>(value);
        if (!row || *row < 0 || *row > kMaxSamples) {
          return false;
        }
        options.allShellsRow = *row;
      } else if (argument == "--orders") {
        const auto orders = parseOrders(value);
        if (!orders) {
          return false;
        }
        options.orderNumbers = *orders;
      } else if (argument == "--seed") {
        const auto seed = parseNumber<unsigned>(value);
        if (!seed) {
          return false;
        }
        options.seed = *seed;
      } else {
        return false;
      }
      continue;
    }
    if (haveFolder) {
      return false;
    }
    folder = argument;
    haveFolder = true;
  }
  return haveFolder;
}

}  // namespace

int main(int argc, char** argv) {
  granomet::tools::SampleFileOptions options;
  std::filesystem::path folder;
  if (!parseArguments(argc, argv, options, folder)) {
    printUsage();
    return 2;
  }
  try {
    granomet::tools::writeSampleFiles(options, folder);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "granomet-gen: %s\n", error.what());
    return 1;
  }
  std::printf("%s\n%s\n", (folder / (options.lotName + ".csv")).string().c_str(),
              (folder / (options.lotName + "_export.txt")).string().c_str());
  return 0;
}
