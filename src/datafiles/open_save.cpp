#include "datafiles/open_save.h"

#include "base/format.h"
#include "base/ini.h"
#include "base/sjis.h"
#include "base/text_file.h"
#include "datafiles/bundle_files.h"
#include "datafiles/executed_state.h"
#include "datafiles/file_kind.h"
#include "datafiles/header_reader.h"
#include "datafiles/member_lookup.h"
#include "datafiles/stack_member.h"
#include "datafiles/table_loader.h"
#include "datafiles/map_checks.h"
#include "stock/series_pictures.h"

namespace vosk::datafiles {
namespace {

std::string cp932(std::string_view utf8) { return sjis::from_utf8_lossy(utf8); }

void add_line(Session& s, const std::string& cp932_text) {
  if (s.ring) s.ring->add(cp932_text);
}

const char* safety_text(SafetySystem system) {
  switch (system) {
    case SafetySystem::Atc:
      return "保安装置：ＡＴＣ";
    case SafetySystem::Ats:
      return "保安装置：ＡＴＳ";
    case SafetySystem::DigitalAtc:
      return "保安装置：デジタルＡＴＣ";
  }
  return "";
}

struct Loaded {
  std::optional<DataSet> data;
  OpenOutcome outcome = OpenOutcome::Failed;
  bool signals_converted = false;
};

Loaded load_bundle(std::string_view text, const std::filesystem::path& path, Session& session);

// The stack member of a snapshot of the model at the executed state's time,
// with what the model does not hold taken from the stack member as read.
std::string stack_of_model(const DataSet& ds) {
  StackReadResult read = parse_stack_member(*ds.executed_stack);
  if (!read.ok()) return *ds.executed_stack;
  return stack_member_text(make_snapshot(ds, read.state->time, &*read.state));
}

// Reads the header and every table; members come from `members` when the
// data set is a bundle, otherwise from files beside `path`.
Loaded load_members(std::string_view header_text, const bundle::MemberSet* members,
                    const std::filesystem::path& path, Session& session);

// Reads the members of `path` by its kind, then the header and every table.
Loaded load(const std::filesystem::path& path, Session& session) {
  FileKind kind = kind_of(path);
  if (kind == FileKind::Header) {
    std::optional<std::string> header_text = textfile::read_text(path);
    if (!header_text) {
      session.prompt.tell(caption::kReadError,
                          format("読み込みファイル'%s'は開けませんでした。\n", path.c_str()));
      return {};
    }
    return load_members(*header_text, nullptr, path, session);
  }
  auto text = is_packed(kind) ? bundle::read_packed(path, session.prompt)
                              : bundle::read_bundle_text(path, session.prompt);
  if (!text) return {};
  return load_bundle(*text, path, session);
}

Loaded load_bundle(std::string_view text, const std::filesystem::path& path, Session& session) {
  std::optional<bundle::MemberSet> members =
      bundle::split_members(text, path, "qvd", session.prompt);
  if (!members) return {};
  return load_members(members->find_by_extension("qvd")->content, &*members, path, session);
}

Loaded load_members(std::string_view header_text, const bundle::MemberSet* members,
                    const std::filesystem::path& path, Session& session) {
  Loaded result;
  HeaderReadResult header = read_header(header_text, session.program_folder, session.prompt);
  if (!header.ok()) {
    result.outcome = header.status == ReadStatus::Retry ? OpenOutcome::Retry : OpenOutcome::Failed;
    return result;
  }
  DataSet ds;
  ds.header = std::move(header.header);

  std::unique_ptr<MemberLookup> lookup;
  if (members)
    lookup = std::make_unique<BundleMemberLookup>(*members);
  else
    lookup = std::make_unique<FolderMemberLookup>(path.parent_path());
  load_tables(ds, *lookup, session.prompt, LoadOptions{session.english()});
  if (ds.header.has_stack()) {
    std::optional<std::string_view> stack = lookup->find(ds.header.member(Member::Stack));
    // A damaged executed state is reported and the data set not opened.
    if (!stack || !read_stack_member(*stack, path.string(), session.prompt)) {
      if (!stack)
        session.prompt.tell(caption::kReadError,
                            format("読み込みファイル'%s'は開けませんでした。\n",
                                   ds.header.member(Member::Stack).name.c_str()));
      return result;
    }
    ds.executed_stack = std::string(*stack);
  }

  if (session.warnings) {
    session.warnings->load(
        ini::Document::load_or_empty(std::filesystem::path(session.program_folder) / "korv.ini"));
  }
  MapCheckOptions checks;
  checks.english = session.english();
  checks.dialog = session.signal_dialog;
  checks.status = session.status;
  MapCheckOutcome checked = run_map_checks(ds, session.prompt, checks);
  if (!checked.accepted) return result;
  result.signals_converted = checked.signals_converted;
  if (ds.executed_stack) ds.executed_stack_of_opened_model = stack_of_model(ds);
  result.data = std::move(ds);
  result.outcome = OpenOutcome::Opened;
  return result;
}

bool tell_write_error(Session& session, const std::filesystem::path& target) {
  session.prompt.tell(caption::kWriteError, format("ファイル'%s'は開けませんでした。\n", target.c_str()));
  return false;
}

void report_saved(Session& session, const DataSet& ds) {
  add_line(session, cp932("マップデータ「") + ds.header.map.map_name + cp932("」を保存しました。"));
  add_line(session, "");
}

}  // namespace

void write_dia_index(const std::filesystem::path& index_file, const std::string& file_title,
                     const Header& header) {
  // An index that exists but cannot be read keeps its other entries.
  std::optional<ini::Document> index = ini::Document::load_for_update(index_file);
  if (!index) return;
  std::string section = cp932(file_title);
  index->set_string(section, "map_name", header.map.map_name);
  index->set_string(section, cp932("保安装置"), cp932(safety_text(header.map.safety_system)));
  index->set_string(section, "DiaTitle", header.dia.dia_title);
  index->set_string(section, "dia_comment", header.dia.dia_comment);
  index->save(index_file);
}

std::optional<DataSet> read_data_set(const std::filesystem::path& path, Session& session) {
  Loaded loaded = load(path, session);
  return std::move(loaded.data);
}

std::optional<DataSet> read_data_set_text(std::string_view bundle_text,
                                          const std::filesystem::path& path, Session& session) {
  Loaded loaded = load_bundle(bundle_text, path, session);
  return std::move(loaded.data);
}

OpenOutcome open_data_set(const std::filesystem::path& path, DataSet& current,
                          DocumentState& state, Session& session) {
  Loaded loaded = load(path, session);
  if (!loaded.data) return loaded.outcome;
  current = std::move(*loaded.data);

  FileKind kind = kind_of(path);
  if (kind == FileKind::DiaQvw || kind == FileKind::DiaQvb) {
    state.dia_path = path;
    state.executed_path.clear();
  } else if (kind == FileKind::Executed) {
    state.executed_path = path;  // the dia path keeps its value
  } else {
    state.forget_files();
  }
  // Converted signal aspects change running times: the next save asks for
  // a new file name instead of overwriting the old map's file.
  if (loaded.signals_converted) state.forget_files();
  state.file_title = file_title_of(path);
  state.loaded_version = current.header.loaded_version;
  state.edited = false;
  state.data_loaded = true;
  write_dia_index(std::filesystem::path(session.program_folder) / "system_map.ini",
                  state.file_title, current.header);

  if (session.ring) {
    session.ring->clear();
    add_line(session, cp932("マップデータ「") + current.header.map.map_name + cp932("」を開きました。"));
    add_line(session, "");
  }
  if (session.folders) {
    stock::StockFolders folders;
    folders.series = session.folders->data_series;
    folders.acceleration = session.folders->acceleration;
    folders.curve_limit = session.folders->curve_limit;
    folders.image = session.program_folder + "/image";
    folders.image16 = session.program_folder + "/image16";
    stock::report_first_missing_picture(current.series, folders, session.prompt);
  }
  return OpenOutcome::Opened;
}

bool write_data_set(const std::filesystem::path& target, DataSet& ds, Session& session,
                    const BundleWriteOptions& options) {
  BundleWriteOptions o = options;
  o.english_start_locale = session.english_start_locale;
  std::string stack;
  if (!o.stack_member && ds.executed_stack && kind_of(target) == FileKind::Executed) {
    // A stack read before the data changed would contradict the runs saved
    // with it.
    stack = stack_of_model(ds);
    if (stack == ds.executed_stack_of_opened_model) stack = *ds.executed_stack;
    o.stack_member = [&stack](std::string& out) { out += stack; };
  }
  if (!o.display_windows) o.display_windows = session.display_windows;
  // A member that cannot be written fails the save before the target is touched.
  bool member_failed = false;
  if (session.faults && session.faults->fail_member) {
    o.on_member = [&session, &member_failed, progress = o.on_member](std::string_view name) {
      if (progress) progress(name);
      if (session.faults->fail_member(name)) member_failed = true;
    };
  }
  std::string text = write_bundle(ds, o);
  if (member_failed) return tell_write_error(session, target);
  bool ok = is_packed(kind_of(target)) ? textfile::write_binary_atomic(target, bundle::pack(text))
                                       : textfile::write_text_atomic(target, text);
  return ok || tell_write_error(session, target);
}

bool save_dia_as(const std::filesystem::path& target, DataSet& ds, DocumentState& state,
                 Session& session) {
  FileKind kind = kind_of(target);
  // Executed data needs a snapshot of the running state, which this program
  // only has from a rollback point; a plain save as .qve writes the dia.
  if (!write_data_set(target, ds, session, {})) return false;
  if (kind == FileKind::DiaQvw || kind == FileKind::DiaQvb) {
    state.dia_path = target;
    state.executed_path.clear();
  } else if (kind == FileKind::Executed) {
    state.executed_path = target;
  } else {
    state.forget_files();
  }
  state.file_title = file_title_of(target);
  state.loaded_version = ds.header.loaded_version;
  state.edited = false;
  report_saved(session, ds);
  return true;
}

bool save_dia(DataSet& ds, DocumentState& state, Session& session,
              const std::function<std::optional<std::filesystem::path>()>& choose_target) {
  if (state.can_save_in_place()) {
    if (!write_data_set(state.dia_path, ds, session, {})) return false;
    state.edited = false;
    report_saved(session, ds);
    return true;
  }
  auto target = choose_target();
  if (!target) return false;
  return save_dia_as(*target, ds, state, session);
}

bool ask_save_question(DocumentState& state, Session& session, const shell::BilingualText& next,
                       const shell::BilingualText& caption, const std::function<void()>& save_as) {
  while (state.edited) {
    Answer a = session.prompt.ask(caption.pick(session.ui), shell::save_question(session.ui, next),
                                  Buttons::YesNoCancel);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
    save_as();
  }
  return true;
}

}  // namespace vosk::datafiles
