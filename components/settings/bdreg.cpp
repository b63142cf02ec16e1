#include "settings/bdreg.h"

#include "core/component_palette.h"
#include "settings/settings_file.h"
#include "settings/settings_text.h"

namespace {
const std::string kRoot;
}  // namespace

TBDReg::TBDReg(QObject* owner)
    : TComponent(owner),
      ini_file_name_("config.ini"),
      ini_file_dir_(AppDir()),
      file_system_(Bdreg::NewLocalFileSystem()) {}

TBDReg::~TBDReg() = default;

int TBDReg::GetIndex(const std::string& key) const { return GetIndex(key, kRoot); }
int TBDReg::GetIndex(const std::string& key, const std::string& folder) const {
    return entries_.IndexOf(key, folder);
}

bool TBDReg::Exist(const std::string& key) const { return Exist(key, kRoot); }
bool TBDReg::Exist(const std::string& key, const std::string& folder) const {
    return entries_.Find(key, folder) != nullptr;
}

void TBDReg::Add(const std::string& key, const std::string& value, const std::string& folder) {
    entries_.Add(key, value, folder);
}

bool TBDReg::Delete(const std::string& key) { return Delete(key, kRoot); }
bool TBDReg::Delete(const std::string& key, const std::string& folder) {
    return entries_.Remove(key, folder);
}

void TBDReg::Clear() { entries_.Clear(); }

void TBDReg::PushString(const std::string& key, const std::string& value) {
    PushString(key, value, kRoot);
}
void TBDReg::PushString(const std::string& key, const std::string& value,
                        const std::string& folder) {
    Add(key, value, folder);
}
void TBDReg::Push(const std::string& key, const std::string& value) { PushString(key, value); }

std::string TBDReg::PopString(const std::string& key) const { return PopString(key, {}, kRoot); }
std::string TBDReg::PopString(const std::string& key, const std::string& fallback) const {
    return PopString(key, fallback, kRoot);
}
std::string TBDReg::PopString(const std::string& key, const std::string& fallback,
                              const std::string& folder) const {
    const Bdreg::Entry* entry = entries_.Find(key, folder);
    return entry ? entry->value : fallback;
}
std::string TBDReg::Pop(const std::string& key) const { return PopString(key); }
std::string TBDReg::Pop(const std::string& key, const std::string& fallback) const {
    return PopString(key, fallback);
}
std::string TBDReg::Pop(const std::string& key, const std::string& fallback,
                        const std::string& folder) const {
    return PopString(key, fallback, folder);
}

void TBDReg::PushInt(const std::string& key, int32_t value) { PushInt(key, value, kRoot); }
void TBDReg::PushInt(const std::string& key, int32_t value, const std::string& folder) {
    Add(key, std::to_string(value), folder);
}
int32_t TBDReg::PopInt(const std::string& key) const { return PopInt(key, 0); }
int32_t TBDReg::PopInt(const std::string& key, int32_t fallback) const {
    return PopInt(key, fallback, kRoot);
}
int32_t TBDReg::PopInt(const std::string& key, int32_t fallback, const std::string& folder) const {
    const Bdreg::Entry* entry = entries_.Find(key, folder);
    return entry ? StrToInt(entry->value, fallback) : fallback;
}

void TBDReg::PushBool(const std::string& key, bool value) { PushBool(key, value, kRoot); }
void TBDReg::PushBool(const std::string& key, bool value, const std::string& folder) {
    Add(key, value ? "1" : "0", folder);
}
bool TBDReg::PopBool(const std::string& key) const { return PopBool(key, false); }
bool TBDReg::PopBool(const std::string& key, bool fallback) const {
    return PopBool(key, fallback, kRoot);
}
bool TBDReg::PopBool(const std::string& key, bool fallback, const std::string& folder) const {
    // -1 stands for "no usable number"; like any number other than 0 and 1 it gives fallback.
    switch (PopInt(key, -1, folder)) {
        case 0:
            return false;
        case 1:
            return true;
        default:
            return fallback;
    }
}

int32_t TBDReg::StrToInt(const std::string& text, int32_t fallback) {
    return Bdreg::StrToInt(text, fallback);
}
bool TBDReg::IsInt(const std::string& text) { return Bdreg::IsInt(text); }
std::string TBDReg::GetDataKey(const std::string& line) { return Bdreg::GetDataKey(line); }
std::string TBDReg::GetDataValue(const std::string& line) { return Bdreg::GetDataValue(line); }
std::string TBDReg::BuildData(const std::string& key, const std::string& value) {
    return Bdreg::BuildData(key, value);
}
std::string TBDReg::ExtractFolderName(const std::string& line) {
    return Bdreg::ExtractFolderName(line);
}
std::string TBDReg::EncodeText(const std::string& text, const std::string& placeholder) {
    return Bdreg::EncodeText(text, placeholder);
}
std::string TBDReg::DecodeText(const std::string& text, const std::string& placeholder) {
    return Bdreg::DecodeText(text, placeholder);
}

std::string TBDReg::IniFilePath() const {
    return Bdreg::SettingsFilePath(ini_file_dir_, ini_file_name_);
}

bool TBDReg::SaveToFile() { return RawSaveToFile(); }

bool TBDReg::LoadFromFile() {
    Clear();
    return RawLoadFromFile();
}

bool TBDReg::AppendFromFile() { return RawLoadFromFile(); }

bool TBDReg::ClearFile() { return RawClearFile(); }

bool TBDReg::RawSaveToFile() {
    return Bdreg::ReplaceFile(*file_system_, IniFilePath(), Bdreg::FormatSettingsFile(entries_));
}

bool TBDReg::RawLoadFromFile() {
    const std::string path = IniFilePath();
    if (!file_system_->FileExists(path)) return false;
    const std::optional<std::string> contents = file_system_->ReadFile(path);
    if (!contents) return false;
    Bdreg::ReadSettingsFile(*contents, entries_);
    return true;
}

bool TBDReg::RawClearFile() {
    const std::string path = IniFilePath();
    if (!file_system_->FileExists(path)) return false;
    (void)file_system_->RemoveFile(path);
    return !file_system_->FileExists(path);
}

void TBDReg::SetFileSystem(std::unique_ptr<Bdreg::FileSystem> file_system) {
    file_system_ = std::move(file_system);
}

namespace Bdreg {
void Register() { RegisterComponents(kBrindlexPalettePage, {&TBDReg::staticMetaObject}); }
}  // namespace Bdreg
