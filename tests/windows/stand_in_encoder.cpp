// A stand-in for ffmpeg.exe, and built with STAND_IN_PROBE for ffprobe.exe, for the Wine
// checks of -video. The encoder reads its two inputs as ffmpeg does (the frames' first,
// then the sound's pipe by its name) and checks what it was fed against its own arguments:
// whole frames of the -s size, the sound of exactly those frames, the priority and job it
// runs in. It writes the counts into the output file, which the probe reports back as
// ffprobe would. LUMARO_STAND_IN=fail makes it give up after the first frame, as a failing
// ffmpeg does.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {
int Refuse(const char* why) {
  std::fprintf(stderr, "stand-in: %s\n", why);
  return 1;
}

std::wstring PathOf(const std::wstring& input) { return input.rfind(L"file:", 0) == 0 ? input.substr(5) : input; }

#ifdef STAND_IN_PROBE
int Probe(const std::vector<std::wstring>& args) {
  if (args.size() > 1 && args[1] == L"-version") return std::puts("ffprobe version stand-in") < 0;
  std::FILE* file = _wfopen(PathOf(args.back()).c_str(), L"rb");
  unsigned long long frames = 0, samples = 0;
  if (!file || std::fscanf(file, "stand-in video frames=%llu samples=%llu", &frames, &samples) != 2)
    return Refuse("no stand-in video there");
  std::fclose(file);
  std::printf("codec_type=video\nnb_read_packets=%llu\n", frames);
  if (samples) std::printf("codec_type=audio\nnb_read_packets=%llu\n", samples / 1024);  // AAC's packets
  return 0;
}
#else
constexpr unsigned long long kSoundRate = 48000, kSampleBytes = 2 * sizeof(float);

std::wstring After(const std::vector<std::wstring>& args, const wchar_t* option) {
  for (size_t k = 0; k + 1 < args.size(); ++k)
    if (args[k] == option) return args[k + 1];
  return L"";
}

unsigned long long ReadAll(std::FILE* in) {
  std::vector<char> chunk(1 << 16);
  unsigned long long total = 0;
  size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) total += got;
  return total;
}

int Encode(const std::vector<std::wstring>& args) {
  int width = 0, height = 0, rate = 0;
  if (std::swscanf(After(args, L"-s").c_str(), L"%dx%d", &width, &height) != 2 ||
      std::swscanf(After(args, L"-r").c_str(), L"%d", &rate) != 1 || rate <= 0)
    return Refuse("no -s WIDTHxHEIGHT or -r RATE");
  std::vector<std::wstring> inputs;
  for (size_t k = 0; k + 1 < args.size(); ++k)
    if (args[k] == L"-i") inputs.push_back(args[k + 1]);
  if (inputs.empty() || inputs[0] != L"pipe:0") return Refuse("the frames do not come on stdin");
  if (inputs.size() == 2 && inputs[1].rfind(L"file:\\\\.\\pipe\\lumaro-", 0) != 0)
    return Refuse("the sound does not come through a named pipe");
  BOOL inJob = FALSE;
  if (GetPriorityClass(GetCurrentProcess()) != BELOW_NORMAL_PRIORITY_CLASS) return Refuse("not below normal priority");
  if (!IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) || !inJob) return Refuse("not in a job");
  const unsigned long long frameBytes = 3ull * width * height / 2;
  std::vector<char> first(frameBytes);
  if (std::fread(first.data(), 1, frameBytes, stdin) != frameBytes) return Refuse("not one whole frame");
  const char* mode = std::getenv("LUMARO_STAND_IN");
  if (mode && std::string(mode) == "fail") return Refuse("told to fail");
  unsigned long long soundBytes = 0;
  std::thread soundReader;
  if (inputs.size() == 2) {
    std::FILE* track = _wfopen(PathOf(inputs[1]).c_str(), L"rb");
    if (!track) return Refuse("cannot open the sound's pipe");
    soundReader = std::thread([&soundBytes, track] {
      soundBytes = ReadAll(track);
      std::fclose(track);
    });
  }
  const unsigned long long videoBytes = frameBytes + ReadAll(stdin);
  if (soundReader.joinable()) soundReader.join();
  const unsigned long long frames = videoBytes / frameBytes, samples = soundBytes / kSampleBytes;
  if (videoBytes % frameBytes) return Refuse("a frame cut short, or frames of another size than -s");
  if (soundBytes % kSampleBytes || (inputs.size() == 2 && samples != frames * kSoundRate / rate))
    return Refuse("the sound is not as long as the frames");
  const std::wstring output = PathOf(args.back());
  if (output.size() < 5 || output.compare(output.size() - 5, 5, L".part")) return Refuse("the output is no .part");
  std::FILE* out = _wfopen(output.c_str(), L"wb");
  if (!out) return Refuse("cannot write the output");
  std::fprintf(out, "stand-in video frames=%llu samples=%llu\n", frames, samples);
  return std::fclose(out) != 0;
}
#endif
}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);  // the frames are bytes, not text
  const std::vector<std::wstring> args(argv, argv + argc);
#ifdef STAND_IN_PROBE
  return Probe(args);
#else
  for (const std::wstring& a : args)
    if (a == L"-encoders") return std::puts(" V..... libx264  H.264\n A..... aac  AAC") < 0;
  return Encode(args);
#endif
}
