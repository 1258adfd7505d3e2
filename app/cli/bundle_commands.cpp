// pack, unpack and split.
#include <cctype>
#include <filesystem>

#include "cli_prompt.h"
#include "commands.h"
#include "datafiles/bundle_files.h"

namespace vosk::cli {
namespace {

bool is_packed_name(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".qvw" || ext == ".qvb" || ext == ".qve";
}

}  // namespace

int run_pack(const Args& args) {
  if (args.size() != 2) return usage_error("pack takes TEXT and PACKED");
  CliPrompt prompt;
  return bundle::pack_file(args[0], args[1], prompt) ? kOk : kDataError;
}

int run_unpack(const Args& args) {
  if (args.size() != 2) return usage_error("unpack takes PACKED and TEXT");
  CliPrompt prompt;
  return bundle::unpack_file(args[0], args[1], prompt) ? kOk : kDataError;
}

int run_split(const Args& args) {
  if (args.size() != 2) return usage_error("split takes BUNDLE and DIR");
  std::filesystem::path source = args[0];
  std::filesystem::path folder = args[1];
  CliPrompt prompt;

  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder)) {
    prompt.tell(caption::kWriteError,
                "書き込みフォルダ'" + folder.string() + "'は作成できませんでした。\n");
    return kDataError;
  }

  auto text = is_packed_name(source) ? bundle::read_packed(source, prompt)
                                     : bundle::read_bundle_text(source, prompt);
  if (!text) return kDataError;
  auto members = bundle::split_members(*text, source, "", prompt);
  if (!members) return kDataError;
  return bundle::write_members(*members, folder, prompt) ? kOk : kDataError;
}

}  // namespace vosk::cli
