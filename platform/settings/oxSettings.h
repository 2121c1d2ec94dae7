// A tree of named sections holding typed values under string keys, kept in
// a text file. The root store owns every section; a section pointer stays
// valid for as long as its root lives.
#pragma once

#include <memory>

#include "platform/core/oxTypes.h"

class oxSettings {
 public:
  // Opens the store kept in `filePath`. A missing file gives an empty store.
  // A file that does not parse gives one stderr line and an empty store, and
  // the file is left alone until the first Set or Remove.
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
  // the starting section itself.
  oxSettings* GetSection(const oxString& path, bool create, bool fromRoot);

  // The stored value, or an empty oxVariant. `flag` is kept for callers that
  // pass it; it changes nothing.
  oxVariant Get(const oxString& key, bool flag = true) const;
  // Stores the value with its type. An empty value removes the key; pointers
  // mean nothing outside the process and are refused.
  void Set(const oxString& key, const oxVariant& value);
  bool Has(const oxString& key) const;
  void Remove(const oxString& key);

  oxStlVector<oxString> GetKeys() const;          // sorted
  oxStlVector<oxString> GetSectionNames() const;  // sorted, direct children only
  oxString GetPath() const;                       // "/A/B", "/" for the root
  oxString GetFilePath() const;                   // the root's file, "" in memory
  bool IsModified() const;                        // changed since the last write

  // Writes the root's file now through a temporary file renamed over the old
  // one, so a failure leaves the previous file whole. False plus one stderr
  // line on failure. A store in memory, or one still holding a broken file
  // that nobody changed, has nothing to write and returns true.
  bool Sync();

 private:
  oxSettings(oxSettings* parent, const oxString& name);
  struct Internal;
  Internal* internal_;
};
