#include "report_program.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "data/file_names.h"
#include "workflow/messages.h"

namespace granomet {
namespace {

// Where granomet-informe-pdf lies: beside the running program in the build, in its
// own folder (GRANOMET_PDF_PROGRAM, relative to the program's) once installed.
std::filesystem::path pdfProgram() {
  std::error_code error;
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  const std::filesystem::path beside = folder / "granomet-informe-pdf";
  return std::filesystem::exists(beside, error)
             ? beside
             : (folder / GRANOMET_PDF_PROGRAM).lexically_normal();
}

void tell(const std::string& problem) {
  printText(stderr, "granomet-informe: " + problem + "\n");
}

}  // namespace

bool drawReportWithProgram(const std::filesystem::path& report,
                           const std::optional<std::filesystem::path>& background,
                           const std::vector<std::filesystem::path>& resultsFiles) {
  const std::filesystem::path program = pdfProgram();
  std::vector<std::string> words{program.string()};
  if (background) {
    words.insert(words.end(), {"--fondo", background->string()});
  }
  // A report named like the option is not taken for it.
  const std::string reportWord = report.string();
  words.push_back(reportWord == "--fondo" ? "./" + reportWord : reportWord);
  for (const std::filesystem::path& file : resultsFiles) {
    words.push_back(file.string());
  }
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  std::fflush(stdout);
  std::fflush(stderr);
  pid_t child = 0;
  if (::posix_spawn(&child, argv.front(), nullptr, nullptr, argv.data(), environ) != 0) {
    tell(messages::informePdfProgramMissing(utf8Of(program)));
    return false;
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  if (WIFSIGNALED(status)) {
    tell(messages::informePdfProgramStopped(utf8Of(program), WTERMSIG(status)));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace granomet
