#pragma once
// The user's library of takeoff templates: an ordered list that owns its templates, with the
// library's file name and the folder states the host saves with it. Names beginning with "-"
// are folders of the library.

class TObjectTemplate;

// The template file versions: the newer layout is needed once a template has a newer type.
inline constexpr const char* kTemplateFileVersionV5 = "5.0.56.0";
inline constexpr const char* kTemplateFileVersionV45 = "4.5.0.15";

// A node of the list; it owns its template.
class TTemplateItem {
 public:
  explicit TTemplateItem(TObjectTemplate* tpl) : tpl_(tpl) {}
  ~TTemplateItem();
  TTemplateItem(const TTemplateItem&) = delete;
  TTemplateItem& operator=(const TTemplateItem&) = delete;

  TObjectTemplate* Template() const { return tpl_; }
  // Gives up the template (the node no longer deletes it) and returns it.
  TObjectTemplate* Release();
  TTemplateItem* Next() const { return next_; }
  TTemplateItem* Prev() const { return prev_; }

 private:
  friend class TTemplateList;
  TObjectTemplate* tpl_;
  TTemplateItem* next_ = nullptr;
  TTemplateItem* prev_ = nullptr;
};

class TTemplateList {
 public:
  TTemplateList() = default;
  // Deep copies of every template, the file name and the folder states.
  TTemplateList(const TTemplateList& other);
  TTemplateList& operator=(const TTemplateList& other);
  ~TTemplateList();

  // A new template of that name and type with colour 0, line type 0, thickness 1 and no fill,
  // appended; returns it, null when out of memory.
  TObjectTemplate* Add(const char* name, int type);
  // Appends the template (taken) and returns it; null for null, a template already in the list,
  // or when out of memory (then the template is deleted).
  TObjectTemplate* Add(TObjectTemplate* tpl);
  // Unlinks the first template of that name (ignoring case) and returns it (the caller owns it);
  // null when there is none.
  TObjectTemplate* Remove(const char* name);
  // Removes and deletes the first template of that name; 1 when one was found, else 0.
  int Delete(const char* name);
  // The first template whose name equals name ignoring case; null for a null name or no match.
  // With strip set, a folder name ("--- Walls ---") is compared as its bare name ("Walls").
  TObjectTemplate* Search(const char* name, bool strip) const;
  // Orders by legend order, ascending; templates with equal legend order keep their order.
  void Sort();
  // Deletes every template.
  void Clear();

  // Null when not set.
  const char* FileName() const { return file_name_; }
  void FileName(const char* name);  // a heap copy; null clears it
  // An opaque text the host saves with the library; null when not set.
  const char* GetFolderStates() const { return folder_states_; }
  void SetFolderStates(const char* states);  // a heap copy; null clears it
  // The newer version when any template has a type the older layout cannot hold.
  const char* GetFileVersion() const;

  TTemplateItem* Head() const { return head_; }
  TTemplateItem* Tail() const { return tail_; }
  int Nooftemplates() const { return count_; }

 private:
  void CopyFrom(const TTemplateList& other);
  TTemplateItem* Find(const char* name) const;
  void Unlink(TTemplateItem* item);

  TTemplateItem* head_ = nullptr;
  TTemplateItem* tail_ = nullptr;
  int count_ = 0;
  char* file_name_ = nullptr;
  char* folder_states_ = nullptr;
};
