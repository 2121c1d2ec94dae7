// A tree of named sections holding typed values under string keys, kept in
// a text file (oxSettingsText) through QSettings, whose lock file and
// merge-on-sync let two running instances write one file without losing
// each other's keys. The root store owns every section; a section pointer
// stays valid for as long as its root lives.
#pragma once

#include <memory>

#include "platform/core/oxTypes.h"

class oxSettings {
 public:
  // Opens the store kept in `filePath`. A missing file gives an empty store.
  // A file that is not a regular one (a named pipe, a device) or larger
  // than 64 MB is not read, as one that cannot be read.
  // Lines that do not read are left out and the others kept; the file as it
  // was is first copied to `filePath` + ".broken", and one stderr line says
  // so. A file that cannot be read at all (or copied aside) gives one stderr
  // line and is never written: the store keeps its changes in memory. A
  // file of the earlier form is written again in the current one at once.
  static std::unique_ptr<oxSettings> Open(const oxString& filePath);
  // A store without a file: nothing is ever written.
  static std::unique_ptr<oxSettings> Create();
  // Folder of the settings files: $FWG_CONFIG_DIR when set, else the user's
  // configuration folder + "/fwg".
  static oxString GetConfigFolder();

  // A root writes its file if anything changed since the last write.
  ~oxSettings();
  oxSettings(const oxSettings&) = delete;
  oxSettings& operator=(const oxSettings&) = delete;

  // The section at `path` ("A/B"; leading and doubled slashes are ignored),
  // counted from the root when `fromRoot`, else from this section. A missing
  // section is made when `create`, else the result is null. An empty path is
  // the starting section itself. Sections deeper than
  // oxSettingsText::kMaxDepth or names longer than kMaxNameSize are refused
  // with one stderr line. A section without values is not written.
  oxSettings* GetSection(const oxString& path, bool create, bool fromRoot);
  // Any name (a profile's, a toolbar's) as one section of a path, and back:
  // '/' is written "%2F" and a '%' that starts "2F" or "25" is written
  // "%25". A name without those is its own section name.
  static oxString ToSectionName(const oxString& name);
  static oxString FromSectionName(const oxString& section);

  // The stored value, or an empty oxVariant. `flag` is kept for callers that
  // pass it; it changes nothing.
  oxVariant Get(const oxString& key, bool flag = true) const;
  // Stores the value with its type. An empty value removes the key; pointers
  // mean nothing outside the process and are refused, and so are empty keys
  // and keys longer than oxSettingsText::kMaxNameSize (one stderr line).
  void Set(const oxString& key, const oxVariant& value);
  bool Has(const oxString& key) const;
  void Remove(const oxString& key);

  oxStlVector<oxString> GetKeys() const;          // sorted
  oxStlVector<oxString> GetSectionNames() const;  // sorted, direct children only
  oxString GetPath() const;                       // "/A/B", "/" for the root
  oxString GetFilePath() const;                   // the root's file, "" in memory
  bool IsModified() const;                        // changed since the last write

  // Writes the root's changes now, merged with what other instances wrote to
  // the file meanwhile, through a temporary file that replaces the old one
  // only once it is whole on the disk. When the file read before is gone
  // (its folder deleted, a network home that dropped), every value held
  // now is written, not only the changes, with one stderr line. On failure,
  // false, the system's reason in `error` and one stderr line; the old file
  // stays byte for byte, the changes stay pending, and the same failure is
  // not reported again on stderr (the destructor retries quietly). A store
  // in memory, or one with nothing changed, has nothing to write and
  // returns true.
  bool Sync(oxString* error = nullptr);

  // A whole number the user may set, read with its range: the value of
  // `key` when it is one (typed or written as text) within [min, max];
  // otherwise, for a key that is there, one stderr line naming the file,
  // the key and the range, and `fallback` (also the answer for a missing
  // key).
  int64_t GetInteger(const oxString& key, int64_t fallback, int64_t min, int64_t max) const;

 private:
  struct Internal;
  explicit oxSettings(Internal* internal);
  Internal* internal_;
};
