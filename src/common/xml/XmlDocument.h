#pragma once
// The one reader and writer of every XML file: the document text with an element index,
// a cursor to walk it, attribute reading and writing, element appending, file loading and
// saving in the common text encodings.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvatt {

class XmlDocument {
 public:
  XmlDocument();
  explicit XmlDocument(std::string_view text);

  // Replaces the whole document and parses it; cursor at the document level.
  // Returns the well-formedness of the text.
  bool SetText(std::string_view utf8);
  // The complete document text (UTF-8), exactly as it will be saved.
  const std::string& GetText() const;

  // True only when the file could be read and its text is well-formed. A file that cannot be
  // read leaves the document empty; an ill-formed one stays walkable.
  bool LoadFile(const std::string& path);
  // Writes the text in the document's encoding; true when the whole file was written.
  bool SaveFile(const std::string& path);

  // Cursor.
  bool FindElement(std::string_view name);
  bool EnterElement();
  bool LeaveElement();
  // Name of the current element, empty when there is none.
  std::string GetName() const;
  void ResetPos();

  std::string GetAttribute(std::string_view name) const;
  bool SetAttribute(std::string_view name, std::string_view value);
  bool SetAttribute(std::string_view name, int value);
  bool AddElement(std::string_view name);

  // IANA name of the encoding of the file last loaded ("UTF-8", "UTF-16LE", "UTF-16BE", a
  // declared name, or empty for the system code page).
  const std::string& GetEncoding() const;
  bool IsWellFormed() const;
  // Number of elements in the index.
  std::size_t ElementCount() const;

  // Windows code page of an IANA character-set name or alias (case-insensitive);
  // 0 when the name is empty or unknown.
  static int CodePageOfEncoding(std::string_view name);
  // Attribute value escaping used by SetAttribute, and reference resolution used by
  // GetAttribute.
  static std::string EscapeAttribute(std::string_view value);
  static std::string UnescapeAttribute(std::string_view raw);

 private:
  // A piece of m_buffer.
  struct Seg {
    std::uint32_t off = 0;
    std::uint32_t len = 0;
  };
  // One element. The text of an element is head + inner + children (each followed by its
  // `after`) + tail; element 0 stands for the document level (only `inner` and links used).
  struct Element {
    Seg head;   // start tag
    Seg inner;  // text between the start tag and the first child (or the end tag)
    Seg tail;   // end tag; empty for an empty-element tag or an element never ended
    Seg after;  // text from the end of the element to the next sibling or the parent's end
    std::uint32_t name_len = 0;
    std::uint32_t parent = 0;
    std::uint32_t first_child = 0;
    std::uint32_t last_child = 0;
    std::uint32_t prev = 0;
    std::uint32_t next = 0;
    bool empty_tag = false;
    bool ill_formed = false;
  };
  enum class Field { kInner, kAfter };

  // Element records in fixed blocks: growing never moves a record. Index 0 always exists.
  class ElementStore {
   public:
    ElementStore() { Reset(); }
    ElementStore(const ElementStore& other) { *this = other; }
    ElementStore& operator=(const ElementStore& other) {
      if (this == &other) return *this;
      m_blocks.clear();
      for (const auto& block : other.m_blocks) {
        m_blocks.push_back(std::make_unique<Element[]>(kBlock));
        std::copy(block.get(), block.get() + kBlock, m_blocks.back().get());
      }
      m_size = other.m_size;
      return *this;
    }
    ElementStore(ElementStore&&) noexcept = default;
    ElementStore& operator=(ElementStore&&) noexcept = default;
    void Reset() {
      m_blocks.clear();
      m_size = 0;
      EmplaceBack();
    }
    std::uint32_t EmplaceBack() {
      if ((m_size & kMask) == 0) m_blocks.push_back(std::make_unique<Element[]>(kBlock));
      return static_cast<std::uint32_t>(m_size++);
    }
    Element& operator[](std::size_t i) { return m_blocks[i >> kBits][i & kMask]; }
    const Element& operator[](std::size_t i) const { return m_blocks[i >> kBits][i & kMask]; }
    std::size_t size() const { return m_size; }

   private:
    static constexpr std::size_t kBits = 10;
    static constexpr std::size_t kBlock = std::size_t{1} << kBits;
    static constexpr std::size_t kMask = kBlock - 1;
    std::vector<std::unique_ptr<Element[]>> m_blocks;
    std::size_t m_size = 0;
  };

  void Clear();
  void Parse();
  std::string_view View(Seg s) const { return {m_buffer.data() + s.off, s.len}; }
  std::string_view Name(const Element& e) const {
    return {m_buffer.data() + e.head.off + 1, e.name_len};
  }
  bool Append(std::string_view piece, Seg& seg);
  bool EnsureRoom(std::size_t extra);
  void MarkEdited() { m_dirty = true; }
  void Rebuild(std::size_t extra = 0) const;
  void Serialize(std::string& out, std::vector<Seg*>& fix) const;
  void ReplaceHead(std::uint32_t index, const std::string& head);

  mutable std::string m_buffer;  // the text when !m_dirty; pieces of it plus edits otherwise
  mutable ElementStore m_elems;
  mutable bool m_dirty = false;
  mutable std::size_t m_live = 0;  // bytes of m_buffer that belong to the text

  std::uint32_t m_top_count = 0;
  bool m_errors = false;
  bool m_bom = false;
  std::string m_encoding;

  std::uint32_t m_parent = 0;
  std::uint32_t m_current = 0;
  std::uint32_t m_child = 0;
};

}  // namespace corvatt
