// brindlex ini: reads and changes a settings file of TBDReg from the shell, the way
// kreadconfig and kwriteconfig serve KDE users.
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "command.h"
#include "settings/bdreg.h"
#include "settings/settings_file.h"

namespace {

constexpr int kFailure = 1;  // no such entry, or the file could not be read or written
constexpr int kUsage = 2;

int UsageError(std::ostream& err, const std::string& problem) {
    err << "brindlex ini: " << problem << "\n";
    return kUsage;
}

// Points the store at FILE: its folder (none means the current one) and its name.
bool UseFile(TBDReg& store, const std::string& file) {
    const size_t slash = file.rfind('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    if (name.empty()) return false;
    store.SetIniFileDir(slash == std::string::npos ? "" : file.substr(0, slash + 1));
    store.SetIniFileName(name);
    return true;
}

// Loads the file; a file that does not exist yet is an empty store. False when an existing
// file cannot be read, so that nothing is ever saved over it.
bool Load(TBDReg& store, std::ostream& err) {
    if (store.LoadFromFile()) return true;
    std::error_code error;
    if (!std::filesystem::exists(store.IniFilePath(), error) && !error) return true;
    err << "brindlex ini: cannot read " << store.IniFilePath() << '\n';
    return false;
}

bool Save(TBDReg& store, std::ostream& err) {
    if (store.SaveToFile()) return true;
    err << "brindlex ini: cannot write " << store.IniFilePath() << " (the old file is unchanged)\n";
    return false;
}

// The file format escapes nothing, so an entry whose line would read back as something else
// (a line break, "=" in the key, blanks around it, a header-like key, brackets in the folder)
// is refused instead of silently turning into other entries.
bool ReadsBackAsItself(const std::string& key, const std::string& value,
                       const std::string& folder) {
    Bdreg::EntryList one;
    one.Add(key, value, folder);
    Bdreg::EntryList read;
    Bdreg::ReadSettingsFile(Bdreg::FormatSettingsFile(one), read);
    return read.Count() == 1 && read.At(0) == one.At(0);
}

int Get(TBDReg& store, const std::vector<std::string>& operands, std::ostream& out) {
    const std::string& folder = operands.size() > 1 ? operands[1] : std::string();
    if (!store.Exist(operands[0], folder)) return kFailure;
    out << store.PopString(operands[0], "", folder) << '\n';
    return 0;
}

int Set(TBDReg& store, const std::vector<std::string>& operands, std::ostream& err) {
    const std::string& folder = operands.size() > 2 ? operands[2] : std::string();
    if (!ReadsBackAsItself(operands[0], operands[1], folder)) {
        return UsageError(err,
                          "this entry cannot be stored in a settings file: keys must not be "
                          "empty, contain \"=\" or line breaks, begin with \"[\" or have blanks "
                          "at either end; values must not contain line breaks; folders must not "
                          "contain \"[\", \"]\" or line breaks");
    }
    store.PushString(operands[0], operands[1], folder);
    return Save(store, err) ? 0 : kFailure;
}

int Delete(TBDReg& store, const std::vector<std::string>& operands, std::ostream& err) {
    const std::string& folder = operands.size() > 1 ? operands[1] : std::string();
    if (!store.Delete(operands[0], folder)) return kFailure;
    return Save(store, err) ? 0 : kFailure;
}

int List(const TBDReg& store, std::ostream& out) {
    for (const Bdreg::Entry& entry : store.Entries()) {
        out << entry.folder << '\t' << entry.key << '\t' << entry.value << '\n';
    }
    return 0;
}

}  // namespace

int RunIniCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() < 2) return UsageError(err, "expected FILE and an action");
    const std::string& action = arguments[1];
    const std::vector<std::string> operands(arguments.begin() + 2, arguments.end());
    struct Arity {
        const char* action;
        size_t least, most;
    };
    static constexpr Arity kArities[] = {
        {"get", 1, 2}, {"set", 2, 3}, {"delete", 1, 2}, {"list", 0, 0}};
    const Arity* arity = nullptr;
    for (const Arity& known : kArities) {
        if (action == known.action) arity = &known;
    }
    if (!arity) return UsageError(err, "unknown action '" + action + "'");
    if (operands.size() < arity->least || operands.size() > arity->most) {
        return UsageError(err, "wrong number of arguments for '" + action + "'");
    }

    TBDReg store(nullptr);
    if (!UseFile(store, arguments[0])) return UsageError(err, "FILE names a folder");
    if (!Load(store, err)) return kFailure;
    if (action == "get") return Get(store, operands, out);
    if (action == "set") return Set(store, operands, err);
    if (action == "delete") return Delete(store, operands, err);
    if (!std::filesystem::exists(store.IniFilePath())) {
        err << "brindlex ini: no file " << store.IniFilePath() << '\n';
        return kFailure;
    }
    return List(store, out);
}
