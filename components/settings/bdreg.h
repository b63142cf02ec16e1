#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/component.h"
#include "settings/entry_list.h"
#include "settings/file_system.h"

// TBDReg: a settings store that keeps named values in folders in memory and persists them
// only when asked, to a settings file (see settings_file.h for its layout).
//
// Each setting is a key, a folder (the empty folder is the root) and a value; keys and
// folders compare byte for byte, so "Main" and "main" are two folders. Values are always
// texts: integers are stored as decimal text ("-12"), booleans as "1" and "0". Storing a
// value under an existing key and folder replaces it and moves the entry to the end of the
// order, which is the order the file is written in.
//
// Nothing is read or written by construction, destruction or the property setters. None of
// the operations throws; the persistence operations report failure as false. The store is
// used on its owner's thread only.
class TBDReg : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Programmname READ ProgrammnameProperty WRITE SetProgrammnameProperty)
    Q_PROPERTY(QString Firmenname READ FirmennameProperty WRITE SetFirmennameProperty)
    Q_PROPERTY(QString IniFileName READ IniFileNameProperty WRITE SetIniFileNameProperty)
    Q_PROPERTY(QString IniFileDir READ IniFileDirProperty WRITE SetIniFileDirProperty)

public:
    // An empty store; IniFileName is "config.ini" and IniFileDir is AppDir().
    explicit TBDReg(QObject* owner);
    ~TBDReg() override;

    // Published properties. Programmname and Firmenname name the program's registry key and
    // the optional company key above it; IniFileName and IniFileDir place the settings file.
    [[nodiscard]] const std::string& Programmname() const { return programmname_; }
    void SetProgrammname(const std::string& value) { programmname_ = value; }
    [[nodiscard]] const std::string& Firmenname() const { return firmenname_; }
    void SetFirmenname(const std::string& value) { firmenname_ = value; }
    [[nodiscard]] const std::string& IniFileName() const { return ini_file_name_; }
    void SetIniFileName(const std::string& value) { ini_file_name_ = value; }
    [[nodiscard]] const std::string& IniFileDir() const { return ini_file_dir_; }
    void SetIniFileDir(const std::string& value) { ini_file_dir_ = value; }

    // --- The entry list. The forms without a folder use the root folder. ---

    // The position (from 0) of the entry, or -1.
    [[nodiscard]] int GetIndex(const std::string& key) const;
    [[nodiscard]] int GetIndex(const std::string& key, const std::string& folder) const;
    [[nodiscard]] bool Exist(const std::string& key) const;
    [[nodiscard]] bool Exist(const std::string& key, const std::string& folder) const;
    // Stores value, replacing an entry of the same key and folder and moving it to the end.
    void Add(const std::string& key, const std::string& value, const std::string& folder);
    // Removes the entry; false if there was none.
    bool Delete(const std::string& key);
    bool Delete(const std::string& key, const std::string& folder);
    // Removes every entry; the properties stay.
    void Clear();
    // The entries in order, for readers such as exporters and the command line.
    [[nodiscard]] const Bdreg::EntryList& Entries() const { return entries_; }

    // --- Push and pop. Missing defaults are "", 0 and false; a missing folder the root. ---

    void PushString(const std::string& key, const std::string& value);
    void PushString(const std::string& key, const std::string& value, const std::string& folder);
    void Push(const std::string& key, const std::string& value);
    // The stored value (also when it is empty), or fallback if there is no entry.
    [[nodiscard]] std::string PopString(const std::string& key) const;
    [[nodiscard]] std::string PopString(const std::string& key, const std::string& fallback) const;
    [[nodiscard]] std::string PopString(const std::string& key, const std::string& fallback,
                                        const std::string& folder) const;
    [[nodiscard]] std::string Pop(const std::string& key) const;
    [[nodiscard]] std::string Pop(const std::string& key, const std::string& fallback) const;
    [[nodiscard]] std::string Pop(const std::string& key, const std::string& fallback,
                                  const std::string& folder) const;

    // Stores the decimal text of value.
    void PushInt(const std::string& key, int32_t value);
    void PushInt(const std::string& key, int32_t value, const std::string& folder);
    // The stored value as by StrToInt(value, fallback); fallback if there is no entry.
    [[nodiscard]] int32_t PopInt(const std::string& key) const;
    [[nodiscard]] int32_t PopInt(const std::string& key, int32_t fallback) const;
    [[nodiscard]] int32_t PopInt(const std::string& key, int32_t fallback,
                                 const std::string& folder) const;

    // Stores "1" or "0".
    void PushBool(const std::string& key, bool value);
    void PushBool(const std::string& key, bool value, const std::string& folder);
    // True for a stored number 1 (" 1 ", "01", "+1", "$1"), false for 0, fallback for
    // anything else and for a missing entry.
    [[nodiscard]] bool PopBool(const std::string& key) const;
    [[nodiscard]] bool PopBool(const std::string& key, bool fallback) const;
    [[nodiscard]] bool PopBool(const std::string& key, bool fallback,
                               const std::string& folder) const;

    // --- Text utilities (settings_text.h has the full rules). ---

    // The integer of text with control characters and spaces trimmed, or fallback.
    [[nodiscard]] static int32_t StrToInt(const std::string& text, int32_t fallback);
    // True if text begins with a digit.
    [[nodiscard]] static bool IsInt(const std::string& text);
    // The folder of the running program, ending with "/".
    [[nodiscard]] static std::string AppDir();

    [[nodiscard]] static std::string GetDataKey(const std::string& line);
    [[nodiscard]] static std::string GetDataValue(const std::string& line);
    [[nodiscard]] static std::string BuildData(const std::string& key, const std::string& value);
    [[nodiscard]] static std::string ExtractFolderName(const std::string& line);
    [[nodiscard]] static std::string EncodeText(const std::string& text,
                                                const std::string& placeholder);
    [[nodiscard]] static std::string DecodeText(const std::string& text,
                                                const std::string& placeholder);

    // --- The settings file at IniFilePath(). ---

    // IniFileDir, a "/" unless IniFileDir is empty or ends with one, then IniFileName.
    [[nodiscard]] std::string IniFilePath() const;
    // Writes every entry to the file, replacing it as a whole: a failed or interrupted save
    // leaves the previous file as it was. False if the file cannot be written.
    [[nodiscard]] bool SaveToFile();
    // Clear(), then RawLoadFromFile(). False if there is no file or it cannot be read (the
    // store is then empty).
    [[nodiscard]] bool LoadFromFile();
    // RawLoadFromFile() on top of the entries held: an entry of the file replaces the held
    // one and moves to the end. False if there is no file or it cannot be read (nothing
    // changes then).
    [[nodiscard]] bool AppendFromFile();
    // Deletes the file; true only if it existed and is gone.
    [[nodiscard]] bool ClearFile();
    [[nodiscard]] bool RawSaveToFile();
    [[nodiscard]] bool RawLoadFromFile();
    [[nodiscard]] bool RawClearFile();

    // Replaces the file system the file operations use (tests use this to inject failures).
    void SetFileSystem(std::unique_ptr<Bdreg::FileSystem> file_system);

private:
    QString ProgrammnameProperty() const { return QString::fromStdString(programmname_); }
    void SetProgrammnameProperty(const QString& value) { programmname_ = value.toStdString(); }
    QString FirmennameProperty() const { return QString::fromStdString(firmenname_); }
    void SetFirmennameProperty(const QString& value) { firmenname_ = value.toStdString(); }
    QString IniFileNameProperty() const { return QString::fromStdString(ini_file_name_); }
    void SetIniFileNameProperty(const QString& value) { ini_file_name_ = value.toStdString(); }
    QString IniFileDirProperty() const { return QString::fromStdString(ini_file_dir_); }
    void SetIniFileDirProperty(const QString& value) { ini_file_dir_ = value.toStdString(); }

    std::string programmname_;
    std::string firmenname_;
    std::string ini_file_name_;
    std::string ini_file_dir_;
    Bdreg::EntryList entries_;
    std::unique_ptr<Bdreg::FileSystem> file_system_;
};

namespace Bdreg {
// Records TBDReg on the component palette page "Brindlex".
void Register();
}  // namespace Bdreg
