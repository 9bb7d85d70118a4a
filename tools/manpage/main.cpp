// Writes the manual page lumaro.6 from the program's own option and key tables, the exit
// codes it returns and the README's photosensitivity warning, so the page cannot drift
// from what `lumaro -help` says.
// usage: manpage OUT.6 README.md DATADIR   (DATADIR: where the install puts share/, as /usr/share)
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "base/run_state.h"
#include "shell/options.h"

namespace {

// Text as roff reads it: backslashes and minus signs escaped, other characters than ASCII
// named by their code point, and no line starting with a control character.
std::string Roff(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c < 0x80) {
      if ((c == '.' || c == '\'') && (out.empty() || out.back() == '\n')) out += "\\&";
      out += static_cast<char>(c);
    } else {
      const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      unsigned codePoint = c & (0x3F >> extra);
      for (int k = 0; k < extra && i + 1 < text.size(); ++k) codePoint = codePoint << 6 | (text[++i] & 0x3F);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04X]", codePoint);
      out += name;
    }
  }
  return out;
}

// "-video=FILE" as a bold name and an italic argument; the sizes each bold.
std::string OptionHead(const std::string& heads) {
  std::string out, word;
  std::istringstream words(heads);
  while (words >> word) {
    const size_t equals = word.find('=');
    if (!out.empty()) out += ", ";
    out += "\\fB" + Roff(word.substr(0, equals == std::string::npos ? word.size() : equals + 1)) + "\\fR";
    if (equals != std::string::npos) out += "\\fI" + Roff(word.substr(equals + 1)) + "\\fR";
  }
  return out;
}

// The README's paragraph that starts with the warning, without its bold marker.
std::string Warning(const std::string& readmePath) {
  std::ifstream readme(readmePath);
  const std::string marker = "**Photosensitivity warning:**";
  std::string line, text;
  while (std::getline(readme, line) && line.rfind(marker, 0) != 0) {
  }
  if (line.empty()) return "";
  text = line.substr(marker.size());
  while (std::getline(readme, line) && !line.empty()) text += " " + line;
  text = text.substr(text.find_first_not_of(' '));
  text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text;
}

void WriteOptions(std::ostream& out) {
  out << ".SH OPTIONS\nEach argument is one option. The original switches are case-sensitive substrings of "
         "their argument, applied in a fixed order; a value is the rest of its own argument, spaces and all. "
         "A FILE or DIR that starts with ~/ is in your home folder.\n";
  for (const lumaro::OptionRow& row : lumaro::OptionRows()) {
    std::string help = row.help;
    for (char& c : help) c = c == '\n' ? ' ' : c;
    if (!row.byDefault.empty()) help += " (default " + row.byDefault + ")";
    out << ".TP\n" << OptionHead(row.heads) << "\n" << Roff(help) << "\n";
  }
  out << ".SH KEYS\n";
  for (const lumaro::KeyRow& key : lumaro::KeyRows()) out << ".TP\n.B " << Roff(key.keys) << "\n" << Roff(key.action) << "\n";
  out << ".PP\nIn a window, the right mouse button (or Alt+F, Alt+D) opens a menu: Exit and the drawing sizes.\n";
}

void WriteExitStatus(std::ostream& out) {
  using namespace lumaro;
  out << ".SH \"EXIT STATUS\"\n.TP\n.B 0\nthe show ended, by itself or by the viewer, and every file it reports is whole\n"
      << ".TP\n.B " << kFailed << "\nsomething the run needs failed: no display without a capture, a window or file "
      << "that cannot be made, the video encoder\n.TP\n.B " << kUsageError
      << "\nthe command line was refused; nothing started\n.TP\n.B " << kStoppedEarly
      << "\na capture was stopped before its end (Escape, the close button)\n.TP\n.B " << kSignalExitBase
      << "+N\na capture was interrupted by signal N (130 for Ctrl+C, 143 for SIGTERM, 129 for SIGHUP)\n";
}

void WriteExamples(std::ostream& out) {
  const char* examples[][2] = {
      {"lumaro -window -w640 -fps", "In a window, drawing at 640 x 480, with the frame rate shown."},
      {"lumaro -loop -start=20", "Full screen, again and again from the plasma title."},
      {"lumaro -video=lumaro.mp4", "The whole show as a video with its music, in the current folder."},
      {"lumaro -headless -w320 -seed=1 -stills=24,110,305 -videodir=stills",
       "Three frames as TGA files, without a display."},
  };
  out << ".SH EXAMPLES\n";
  for (const auto& [command, what] : examples) out << ".PP\n" << Roff(what) << "\n.PP\n.RS\n.B " << Roff(command) << "\n.RE\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: manpage OUT.6 README.md DATADIR\n");
    return 2;
  }
  const std::string warning = Warning(argv[2]), dataDir = argv[3];
  if (warning.empty()) {
    std::fprintf(stderr, "manpage: %s has no paragraph starting **Photosensitivity warning:**\n", argv[2]);
    return 1;
  }
  std::ostringstream out;
  out << ".TH LUMARO 6 \"\" \"Lumaro " LUMARO_VERSION "\" \"Games Manual\"\n"
      << ".SH NAME\nlumaro \\- a real-time OpenGL demo with its own music\n"
      << ".SH SYNOPSIS\n.B lumaro\n[\\fIoptions\\fR]\n"
      << ".SH DESCRIPTION\nLumaro opens a window titled \"Lumaro\" (or takes the whole screen), plays its music "
         "module SongM.xm and renders a fixed show of fourteen timed scenes. It ends by itself, or on Escape, the "
         "window's close button or Ctrl+C. With \\fB\\-videosave\\fR or \\fB\\-video=\\fR\\fIFILE\\fR time steps "
         "by a fixed amount each frame and every frame is kept, for a video.\n"
      << ".SH WARNING\n" << Roff(warning) << "\n";
  WriteOptions(out);
  out << ".SH FILES\nThe music SongM.xm is looked for beside the program, then in ../share/lumaro beside the "
         "program's folder (installed: \\fI"
      << Roff(dataDir) << "/lumaro/SongM.xm\\fR), then in the current folder; when none has it, the show plays "
                          "silently and says which folders it tried.\n";
  WriteExitStatus(out);
  WriteExamples(out);
  out << ".SH \"SEE ALSO\"\n.BR ffmpeg (1)\n";
  std::ofstream file(argv[1], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "manpage: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
