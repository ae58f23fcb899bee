// list0<T>: the sorted record list every collection of the library derives from.
//
// A doubly linked list of plain fixed-size records with a cursor (the current element), one
// mark, a 1-based position counter and two sorts whose order comes from the virtual Sortval.
// Sorting relinks nodes and never moves records, so a record's address stays valid until the
// record is deleted.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace geoproj {

// Raised for the list's internal faults (copying, allocation, sorting consistency); carries the
// fixed text of the fault.
class ListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace geoproj

template <class T>
class list0 {
  static_assert(std::is_trivially_copyable_v<T>, "list0 records are plain records copied bytewise");

 protected:
  struct node {
    node* prev;
    node* next;
    T rec;
  };

 public:
  list0() = default;
  list0(const list0&) { throw geoproj::ListError("Internt fel (Initiering list0)"); }
  list0& operator=(const list0&) { throw geoproj::ListError("Internt fel (Tilldelning list0)"); }
  // Virtual, unlike the list it mirrors, so that deleting a derived list through list0* frees
  // its nodes too.
  virtual ~list0() { Clear(); }

  // Creates one element: where == 1 appends, anything else inserts before the current element.
  // The record is a copy of *src, or all zero when src is null. The new element is current.
  int Ny(int where, const T* src) {
    int rc = (where == 1) ? Add() : Insert();
    if (rc < 0) return -1;
    m_akt->rec = src ? *src : m_noll;
    return 0;
  }

  // Appends an uninitialised element after the last one and makes it current.
  int Add() {
    node* n = NewNode();
    n->next = nullptr;
    if (!m_forst) {
      n->prev = nullptr;
      m_forst = m_sist = n;
      m_antal = 1;
    } else {
      n->prev = m_sist;
      m_sist->next = n;
      m_sist = n;
      ++m_antal;
    }
    m_akt = n;
    m_pos = m_antal;
    pael = &n->rec;
    return 0;
  }

  // Inserts an uninitialised element before the current one; it takes the current position.
  int Insert() {
    if (!m_forst) return Add();
    if (!m_akt) return -1;
    node* n = NewNode();
    n->next = m_akt;
    n->prev = m_akt->prev;
    if (m_akt->prev)
      m_akt->prev->next = n;
    else
      m_forst = n;
    m_akt->prev = n;
    ++m_antal;
    ++m_reshapes;
    m_akt = n;
    pael = &n->rec;
    return 0;
  }

  // Removes the current element. Returns -1 when there was none or the list is now empty.
  int Delete() {
    if (!m_forst || !m_akt) return -1;
    node* gone = m_akt;
    if (gone == m_mark) {
      m_mark = nullptr;
      markel = nullptr;
    }
    if (gone->prev)
      gone->prev->next = gone->next;
    else
      m_forst = gone->next;
    if (gone->next)
      gone->next->prev = gone->prev;
    else
      m_sist = gone->prev;
    if (gone->next) {
      m_akt = gone->next;
    } else {
      m_akt = gone->prev;
      if (m_akt) --m_pos;
    }
    FreeNode(gone);
    --m_antal;
    ++m_reshapes;
    if (!m_forst) {
      m_akt = m_sist = nullptr;
      m_antal = 0;
      m_pos = 0;
      pael = nullptr;
      return -1;
    }
    pael = &m_akt->rec;
    return 0;
  }

  int Home() {
    if (!m_forst) return -1;
    m_akt = m_forst;
    m_pos = 1;
    pael = &m_akt->rec;
    return 0;
  }

  int End() {
    if (!m_forst) return -1;
    m_akt = m_sist;
    m_pos = m_antal;
    pael = &m_akt->rec;
    return 0;
  }

  // Moves the cursor one forward; null (cursor unchanged) at the end or on an empty list.
  list0* operator++(int) {
    if (!m_forst || !m_akt || !m_akt->next) return nullptr;
    m_akt = m_akt->next;
    ++m_pos;
    pael = &m_akt->rec;
    return this;
  }

  list0* operator--(int) {
    if (!m_forst || !m_akt || !m_akt->prev) return nullptr;
    m_akt = m_akt->prev;
    --m_pos;
    pael = &m_akt->rec;
    return this;
  }

  // Position of the current element (1-based), -1 on an empty list; the count goes to *antal.
  int Where(int* antal) const {
    if (antal) *antal = m_forst ? m_antal : 0;
    return m_forst ? m_pos : -1;
  }

  // The current record, or null when there is none.
  T* Get_aktel() {
    if (!m_forst || !m_akt) return nullptr;
    pael = &m_akt->rec;
    return pael;
  }

  // Makes the element whose record is at el current; the position is not recomputed.
  int Set_aktel(const T* el) {
    for (node* n = m_forst; n; n = n->next) {
      if (&n->rec == el) {
        m_akt = n;
        pael = &n->rec;
        return 0;
      }
    }
    m_akt = nullptr;
    pael = nullptr;
    return -1;
  }

  int Set_pael() {
    if (!m_forst || !m_akt) {
      pael = nullptr;
      return -1;
    }
    pael = &m_akt->rec;
    return 0;
  }

  int Set_mark() {
    m_mark = m_forst ? m_akt : nullptr;
    markel = m_mark ? &m_mark->rec : nullptr;
    return 0;
  }

  // Makes the marked element current again. When it is gone, the first element becomes current,
  // the mark is cleared and -1 returned.
  int Goto_mark() {
    if (!m_mark || !m_forst) return -1;
    int pos = 1;
    for (node* n = m_forst; n; n = n->next, ++pos) {
      if (n == m_mark) {
        m_akt = n;
        m_pos = pos;
        pael = &n->rec;
        return 0;
      }
    }
    Home();
    m_mark = nullptr;
    markel = nullptr;
    return -1;
  }

  // Full sort under the key: a stable merge sort giving exactly the order of a ranking
  // selection sort that picks, pass by pass, the first record no later record must precede
  // (a later record r goes before an earlier l exactly when Sortval says l comes after r).
  // The cursor and the mark stay on their records.
  int Sortera(int key) {
    if (m_antal < 1 || !m_forst) return -1;
    if (m_antal == 1) return 0;
    node* akt = m_akt;
    node* mark = m_mark;
    std::vector<node*> nodes;
    nodes.reserve(static_cast<size_t>(m_antal));
    for (node* n = m_forst; n; n = n->next) nodes.push_back(n);
    MergeSort(nodes, key);
    Relink(nodes);
    ++m_reshapes;
    m_akt = akt;
    m_mark = mark;
    pael = m_akt ? &m_akt->rec : nullptr;
    markel = m_mark ? &m_mark->rec : nullptr;
    return 0;
  }

  // Insertion repair of an almost sorted list. A moved record goes after every record that
  // compares equal to it. The cursor and mark are left where the last comparison put them.
  int Omsortera(int key) {
    if (m_antal < 1 || !m_forst) return -1;
    if (m_antal == 1) return 0;
    long counter = 1;
    node* x = m_forst;
    for (;;) {
      while (x->next && SortvalAt(x, x->next, key)) {
        node* y = x->next;
        Unlink(y);
        node* z = m_forst;
        while (z && !SortvalAt(z, y, key)) z = z->next;
        if (!z) {
          LinkAfter(y, x);  // put it back: an inconsistent Sortval must not lose a record
          throw geoproj::ListError("Internt sorteringsfel i Todbs::Sortera");
        }
        LinkBefore(y, z);
        ++m_reshapes;
        ++counter;
      }
      if (!x->next) break;
      x = x->next;
      ++counter;
      if (!x->next) break;
    }
    if (counter != m_antal) {
      char text[96];
      std::snprintf(text, sizeof text, "Fel i sortering\nAntal poster %ld\nSorterade %ld",
                    static_cast<long>(m_antal), counter);
      m_fel = text;
      throw geoproj::ListError(m_fel);
    }
    return 0;
  }

  static inline const T m_noll{};

 protected:
  // The order: > 0 when the record at pael must come after the record at markel under key.
  virtual int Sortval(int /*key*/) { return 0; }

  int Sort_mark() {
    markel = m_mark ? &m_mark->rec : nullptr;
    return m_mark ? 0 : -1;
  }

  node* m_forst = nullptr;
  node* m_sist = nullptr;
  node* m_akt = nullptr;
  node* m_mark = nullptr;
  int m_nodsize = static_cast<int>(sizeof(node));
  int m_antal = 0;
  int m_pos = 0;
  std::string m_fel;
  T* pael = nullptr;
  T* markel = nullptr;
  // Raised by every change of the list other than appending at the end (removals, insertions
  // before an element, sorting), so that what a derived list keeps about its elements and
  // their places can tell when it must look at the whole list again.
  std::uint64_t m_reshapes = 0;

 private:
  std::vector<std::unique_ptr<node[]>> m_blocks;
  std::size_t m_blockSize = 0;  // nodes in the last block
  std::size_t m_blockUsed = 0;  // of which handed out
  node* m_ledig = nullptr;      // deleted nodes, linked through next

  // Nodes come from blocks the list owns, each twice the size of the one before, and a deleted
  // node is used again: a file is read record by record, and allocating each node apart cost as
  // much as reading the record's numbers.
  node* NewNode() {
    if (m_ledig) {
      node* n = m_ledig;
      m_ledig = n->next;
      return n;
    }
    if (m_blocks.empty() || m_blockUsed == m_blockSize) {
      m_blockSize = m_blocks.empty() ? 4 : std::min<std::size_t>(2 * m_blockSize, 1024);
      m_blocks.emplace_back(new node[m_blockSize]);
      m_blockUsed = 0;
    }
    return &m_blocks.back()[m_blockUsed++];
  }

  void FreeNode(node* n) {
    n->next = m_ledig;
    m_ledig = n;
  }

  void Clear() {
    m_blocks.clear();
    m_ledig = nullptr;
    m_blockSize = m_blockUsed = 0;
    m_forst = m_sist = m_akt = m_mark = nullptr;
    pael = markel = nullptr;
    m_antal = m_pos = 0;
    ++m_reshapes;
  }

  // Sortval with the cursor on a and the mark on b.
  bool SortvalAt(node* a, node* b, int key) {
    m_akt = a;
    pael = &a->rec;
    m_mark = b;
    markel = &b->rec;
    return Sortval(key) > 0;
  }

  void MergeSort(std::vector<node*>& nodes, int key) {
    std::vector<node*> buffer(nodes.size());
    const size_t n = nodes.size();
    for (size_t width = 1; width < n; width *= 2) {
      for (size_t lo = 0; lo < n; lo += 2 * width) {
        size_t mid = std::min(lo + width, n);
        size_t hi = std::min(lo + 2 * width, n);
        Merge(nodes, buffer, lo, mid, hi, key);
      }
      nodes.swap(buffer);
    }
  }

  // Merges two runs that were adjacent in list order; the earlier run's record is taken unless
  // it must come after the later run's record.
  void Merge(const std::vector<node*>& in, std::vector<node*>& out, size_t lo, size_t mid,
             size_t hi, int key) {
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi) out[k++] = SortvalAt(in[i], in[j], key) ? in[j++] : in[i++];
    while (i < mid) out[k++] = in[i++];
    while (j < hi) out[k++] = in[j++];
  }

  void Relink(const std::vector<node*>& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
      nodes[i]->prev = i ? nodes[i - 1] : nullptr;
      nodes[i]->next = i + 1 < nodes.size() ? nodes[i + 1] : nullptr;
    }
    m_forst = nodes.front();
    m_sist = nodes.back();
  }

  void Unlink(node* y) {
    if (y->prev) y->prev->next = y->next; else m_forst = y->next;
    if (y->next) y->next->prev = y->prev; else m_sist = y->prev;
  }

  void LinkAfter(node* y, node* x) {
    y->prev = x;
    y->next = x->next;
    if (x->next) x->next->prev = y; else m_sist = y;
    x->next = y;
  }

  void LinkBefore(node* y, node* z) {
    y->prev = z->prev;
    y->next = z;
    if (z->prev) z->prev->next = y; else m_forst = y;
    z->prev = y;
  }
};
