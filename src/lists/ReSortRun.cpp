#include "lists/ReSortRun.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

// How the steps behave on such a run, and so how this follows them.
//
// At each place p the item there (the head) jumps behind the last item of
// its group that it sees as smaller, until a head sees none (it stays, and p
// moves on) or the arrangement from p on comes back (a circle: the
// arrangement of the circle closest to the former order is kept, its head
// stays). Going round a circle takes as many jumps as there are items from p
// on, and the circle is met again at nearly every place, so following the
// jumps one by one costs the square of the length or worse.
//
// A circle always has the same shape. From p on the items fall into a ring
// of blocks followed by items nothing ever jumps over (parked). The items of
// a block see none of each other as smaller; the items of each block see
// both end items of the block before it (round the ring) as smaller; every
// item of the ring belongs to the group of every other, and none of them
// sees a parked item within its group as smaller. Each head then jumps right
// behind the last item of the ring, or, after block mates that went before
// it, right in front of them: the ring turns by one, and a block comes out
// reversed each time it has gone round. Conversely, an arrangement of that
// shape comes back after one or two turns of the ring, so it is a circle.
//
// So: the arrangement is kept as a tree of items (quick to find a head's
// jump and to make it) while items jump; once it has the shape above, it is
// kept as the ring itself. Every item of the ring is a head somewhere on the
// circle, so the arrangement kept is the one led by the ring's item that
// stood first; taking it out leaves the ring of the circle at the next place
// as long as its neighbours still fit, and the arrangement then matters no
// more. Only when they do not is the arrangement made whole again (the
// circle's two arrangements led by that item compared), and the jumps
// followed until the ring is whole again or a head stays. The ring then
// mostly comes back once every item has gone round: the items near the
// break land elsewhere than before (or stay behind, parked), while the
// others turn as they did. That first turn is followed on a plain list
// (each head of the ring jumps behind the last ring item it sees as
// smaller, nearly always one of the last few) and looked at once; the tree
// takes over only where it was not enough. Each break so still costs a few
// readings of the ring; mending the ring only where it broke would not.

namespace ReSortRun {

namespace {

// The ring works with a handful of prefixes (Quote and Quote 0., say).
constexpr int MostPrefixes = 16;
constexpr double Infinite = std::numeric_limits<double>::infinity();
constexpr int None = -1;
// The jumps followed at one place, per item and more, before the steps are
// taken as written there. The tests' second build takes them as written
// after a few, so that a few dozen names reach that way too.
#ifdef QUOTARO_RESORT_SMALL_LIMITS
constexpr qint64 PatiencePerItem = 2, Patience = 4;
#else
constexpr qint64 PatiencePerItem = 16, Patience = 256;
#endif

bool beginsWith(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size()
        && std::memcmp(text.utf16(), prefix.utf16(), size_t(prefix.size()) * sizeof(char16_t)) == 0;
}

// What blocks (or runs) of the ring know of their items, for the tests of
// their neighbours: per prefix the smallest and largest key, per position
// the smallest number read there. One row per block, side by side.
class Summaries {
public:
    void shape(int prefixes, int views)
    {
        m_prefixes = prefixes;
        m_stride = 2 * prefixes + views;
        m_views = views;
        clearAll();
    }
    void clearAll()
    {
        m_data.clear();
        m_present.clear();
    }
    int add()
    {
        const int row = int(m_present.size());
        m_data.resize(m_data.size() + size_t(m_stride));
        m_present.push_back(0);
        clear(row);
        return row;
    }
    void clear(int row)
    {
        std::fill_n(minKey(row), m_stride, Infinite);
        std::fill_n(maxKey(row), m_prefixes, -Infinite);
        m_present[size_t(row)] = 0;
    }
    void add(int into, int from)
    {
        for (int i = 0; i < m_prefixes; ++i) {
            minKey(into)[i] = std::min(minKey(into)[i], minKey(from)[i]);
            maxKey(into)[i] = std::max(maxKey(into)[i], maxKey(from)[i]);
        }
        for (int v = 0; v < m_views; ++v)
            minValue(into)[v] = std::min(minValue(into)[v], minValue(from)[v]);
        m_present[size_t(into)] |= m_present[size_t(from)];
    }
    double *minKey(int row) { return &m_data[size_t(row) * size_t(m_stride)]; }
    double *maxKey(int row) { return minKey(row) + m_prefixes; }
    double *minValue(int row) { return minKey(row) + 2 * m_prefixes; }
    const double *minKey(int row) const { return &m_data[size_t(row) * size_t(m_stride)]; }
    const double *maxKey(int row) const { return minKey(row) + m_prefixes; }
    const double *minValue(int row) const { return minKey(row) + 2 * m_prefixes; }
    std::uint32_t &present(int row) { return m_present[size_t(row)]; }
    std::uint32_t present(int row) const { return m_present[size_t(row)]; }

private:
    int m_prefixes = 0, m_views = 0, m_stride = 0;
    std::vector<double> m_data;
    std::vector<std::uint32_t> m_present;
};

// The arrangement from the present place on, while items jump: the items
// in order in chunks (a B+ tree), each inner node knowing per child how
// many items it holds, the smallest number read at each position and the
// prefixes some item of it does not belong to. Shallow and read in runs,
// which is what makes a jump cheap.
class Sequence {
public:
    Sequence(const std::vector<double> &values, const std::vector<std::uint32_t> &foreign)
        : m_values(values), m_foreign(foreign)
    {
    }
    void setViews(int views) { m_views = views; }

    void assign(const std::vector<int> &items);
    int size() const { return m_size; }
    int front() const { return m_leaves[size_t(m_firstLeaf)].item[0]; }
    void popFront();
    // Inserts the item so that `at` items come before it.
    void insert(int at, int item);
    // The place of the first item from `from` on that does not belong to the
    // groups of the mask, or the size when there is none.
    int firstOutsider(std::uint32_t mask, int from) const;
    // The place of the last item before `end` whose number read at the view
    // is below the key, or None.
    int lastBelow(int view, double key, int end) const;
    double minimum(int view, int from, int end) const;
    // Appends the items from the place given on.
    void collect(std::vector<int> &into, int from = 0) const;
    int at(int index) const;

    // Reading in order.
    struct Cursor {
        int leaf, index;
    };
    Cursor begin() const { return {m_size ? m_firstLeaf : None, 0}; }
    bool atEnd(const Cursor &c) const { return c.leaf == None; }
    int item(const Cursor &c) const { return m_leaves[size_t(c.leaf)].item[c.index]; }
    void next(Cursor &c) const
    {
        if (++c.index == m_leaves[size_t(c.leaf)].count) {
            c.leaf = m_leaves[size_t(c.leaf)].next;
            c.index = 0;
        }
    }

private:
#ifdef QUOTARO_RESORT_SMALL_LIMITS
    // The tests build the engine a second time with nodes this small, so
    // that a few dozen names make a tree several levels deep.
    static constexpr int LeafSize = 4, InnerSize = 4;
#else
    static constexpr int LeafSize = 64, InnerSize = 32;
#endif
    struct Leaf {
        int count = 0;
        int next = None;
        int item[LeafSize];
    };
    struct Inner {
        int count = 0;
        int child[InnerSize];
        int size[InnerSize];
        std::uint32_t outsiders[InnerSize];
    };
    const std::vector<double> &m_values;
    const std::vector<std::uint32_t> &m_foreign;
    int m_views = 0;
    std::vector<Leaf> m_leaves;
    // Beside each leaf's items, the numbers they read at each position, so
    // that a leaf is read straight through.
    std::vector<double> m_leafValues;
    std::vector<Inner> m_inners;
    std::vector<double> m_least; // per inner node and child, per position
    std::vector<int> m_leastCount; // how many items read that smallest number
    std::vector<int> m_freeLeaves, m_freeInners;
    int m_root = None;
    int m_height = 0; // 0: the root is a leaf
    int m_firstLeaf = None;
    int m_size = 0;

    double value(int item, int view) const { return m_values[size_t(item) * m_views + view]; }
    double *leafValues(int leaf, int view)
    {
        return &m_leafValues[(size_t(leaf) * size_t(m_views) + size_t(view)) * LeafSize];
    }
    const double *leafValues(int leaf, int view) const
    {
        return &m_leafValues[(size_t(leaf) * size_t(m_views) + size_t(view)) * LeafSize];
    }
    // Moves n items of a leaf (and their numbers) from one place in it to another.
    void moveInLeaf(int leaf, int from, int to, int n)
    {
        Leaf &l = m_leaves[size_t(leaf)];
        std::memmove(l.item + to, l.item + from, size_t(n) * sizeof(int));
        for (int v = 0; v < m_views; ++v) {
            double *values = leafValues(leaf, v);
            std::memmove(values + to, values + from, size_t(n) * sizeof(double));
        }
    }
    void setInLeaf(int leaf, int at, int item)
    {
        m_leaves[size_t(leaf)].item[at] = item;
        for (int v = 0; v < m_views; ++v)
            leafValues(leaf, v)[at] = value(item, v);
    }
    double *least(int inner, int slot)
    {
        return &m_least[(size_t(inner) * InnerSize + size_t(slot)) * size_t(m_views)];
    }
    const double *least(int inner, int slot) const
    {
        return &m_least[(size_t(inner) * InnerSize + size_t(slot)) * size_t(m_views)];
    }
    int *leastCount(int inner, int slot)
    {
        return &m_leastCount[(size_t(inner) * InnerSize + size_t(slot)) * size_t(m_views)];
    }
    // Moves the entry of one child to another slot.
    void moveEntry(int fromInner, int fromSlot, int toInner, int toSlot);
    int newLeaf();
    int newInner();
    // Sets the entry of a child from the child itself.
    void describe(int inner, int slot, int level);
    int insertInto(int node, int level, int at, int item);
    int lastBelowIn(int node, int level, int view, double key, int end) const;
    int firstOutsiderIn(int node, int level, std::uint32_t mask, int from) const;
    double minimumIn(int node, int level, int view, int from, int end) const;
};

int Sequence::newLeaf()
{
    if (!m_freeLeaves.empty()) {
        const int leaf = m_freeLeaves.back();
        m_freeLeaves.pop_back();
        m_leaves[size_t(leaf)].count = 0;
        m_leaves[size_t(leaf)].next = None;
        return leaf;
    }
    m_leaves.emplace_back();
    m_leafValues.resize(m_leaves.size() * size_t(m_views) * LeafSize);
    return int(m_leaves.size()) - 1;
}

int Sequence::newInner()
{
    if (!m_freeInners.empty()) {
        const int inner = m_freeInners.back();
        m_freeInners.pop_back();
        m_inners[size_t(inner)].count = 0;
        return inner;
    }
    m_inners.emplace_back();
    m_least.resize(m_inners.size() * InnerSize * size_t(m_views));
    m_leastCount.resize(m_least.size());
    return int(m_inners.size()) - 1;
}

void Sequence::describe(int inner, int slot, int level)
{
    Inner &in = m_inners[size_t(inner)];
    const int child = in.child[slot];
    double *mine = least(inner, slot);
    int *count = leastCount(inner, slot);
    std::fill_n(mine, m_views, Infinite);
    std::fill_n(count, m_views, 0);
    std::uint32_t outsiders = 0;
    int items = 0;
    auto take = [&](int v, double value, int times) {
        if (value < mine[v]) {
            mine[v] = value;
            count[v] = times;
        } else if (value == mine[v]) {
            count[v] += times;
        }
    };
    if (level == 1) {
        const Leaf &leaf = m_leaves[size_t(child)];
        items = leaf.count;
        for (int i = 0; i < leaf.count; ++i)
            outsiders |= m_foreign[size_t(leaf.item[i])];
        for (int v = 0; v < m_views; ++v) {
            const double *values = leafValues(child, v);
            for (int i = 0; i < leaf.count; ++i)
                take(v, values[i], 1);
        }
    } else {
        const Inner &below = m_inners[size_t(child)];
        for (int i = 0; i < below.count; ++i) {
            items += below.size[i];
            outsiders |= below.outsiders[i];
            const double *theirs = least(child, i);
            const int *times =
                &m_leastCount[(size_t(child) * InnerSize + size_t(i)) * size_t(m_views)];
            for (int v = 0; v < m_views; ++v)
                take(v, theirs[v], times[v]);
        }
    }
    in.size[slot] = items;
    in.outsiders[slot] = outsiders;
}

void Sequence::moveEntry(int fromInner, int fromSlot, int toInner, int toSlot)
{
    const Inner &from = m_inners[size_t(fromInner)];
    Inner &to = m_inners[size_t(toInner)];
    to.child[toSlot] = from.child[fromSlot];
    to.size[toSlot] = from.size[fromSlot];
    to.outsiders[toSlot] = from.outsiders[fromSlot];
    std::copy_n(least(fromInner, fromSlot), m_views, least(toInner, toSlot));
    std::copy_n(leastCount(fromInner, fromSlot), m_views, leastCount(toInner, toSlot));
}

void Sequence::assign(const std::vector<int> &items)
{
    m_leaves.clear();
    m_leafValues.clear();
    m_inners.clear();
    m_least.clear();
    m_leastCount.clear();
    m_freeLeaves.clear();
    m_freeInners.clear();
    m_size = int(items.size());
    m_root = m_firstLeaf = None;
    m_height = 0;
    if (items.empty())
        return;
    // Leaves three quarters full, so that insertions seldom split one.
    std::vector<int> level;
    const size_t perLeaf = LeafSize * 3 / 4;
    for (size_t i = 0; i < items.size(); i += perLeaf) {
        const int leaf = newLeaf();
        const int count = int(std::min(perLeaf, items.size() - i));
        m_leaves[size_t(leaf)].count = count;
        for (int k = 0; k < count; ++k)
            setInLeaf(leaf, k, items[i + size_t(k)]);
        if (!level.empty())
            m_leaves[size_t(level.back())].next = leaf;
        level.push_back(leaf);
    }
    m_firstLeaf = level.front();
    const size_t perInner = InnerSize * 3 / 4;
    while (level.size() > 1) {
        ++m_height;
        std::vector<int> above;
        for (size_t i = 0; i < level.size(); i += perInner) {
            const int inner = newInner();
            const int count = int(std::min(perInner, level.size() - i));
            m_inners[size_t(inner)].count = count;
            for (int c = 0; c < count; ++c) {
                m_inners[size_t(inner)].child[c] = level[i + size_t(c)];
                describe(inner, c, m_height);
            }
            above.push_back(inner);
        }
        level = std::move(above);
    }
    m_root = level.front();
}

void Sequence::popFront()
{
    // The way down along the first children.
    int path[32];
    int node = m_root;
    for (int level = m_height; level > 0; --level) {
        path[level] = node;
        node = m_inners[size_t(node)].child[0];
    }
    Leaf &leaf = m_leaves[size_t(node)];
    const int gone = leaf.item[0];
    moveInLeaf(node, 1, 0, leaf.count - 1);
    --leaf.count;
    --m_size;
    int level = 1;
    if (leaf.count == 0) {
        // Empty nodes go, as far up as they are left empty.
        m_firstLeaf = leaf.next;
        m_freeLeaves.push_back(node);
        for (; level <= m_height; ++level) {
            const int count = m_inners[size_t(path[level])].count;
            for (int i = 1; i < count; ++i)
                moveEntry(path[level], i, path[level], i - 1);
            if (--m_inners[size_t(path[level])].count > 0)
                break;
            m_freeInners.push_back(path[level]);
        }
        if (level > m_height) {
            m_root = None;
            m_height = 0;
            return;
        }
        ++level;
        for (; level <= m_height; ++level)
            describe(path[level], 0, level);
    } else {
        // The entries above lose one item; they are read again only where
        // it may have been the smallest or the only outsider.
        // Each entry counts the items reading its smallest numbers, so it
        // is read again only when the last of them has gone. The prefixes
        // some item does not belong to may stay marked after the item has
        // gone: a search looks in vain there, and goes on.
        for (; level <= m_height; ++level) {
            bool again = false;
            const double *mine = least(path[level], 0);
            int *count = leastCount(path[level], 0);
            for (int v = 0; v < m_views; ++v) {
                if (value(gone, v) == mine[v] && --count[v] == 0)
                    again = true;
            }
            if (again)
                describe(path[level], 0, level);
            else
                --m_inners[size_t(path[level])].size[0];
        }
    }
    // A root with one child gives way to it.
    while (m_height > 0 && m_inners[size_t(m_root)].count == 1) {
        m_freeInners.push_back(m_root);
        m_root = m_inners[size_t(m_root)].child[0];
        --m_height;
    }
}

// Inserts into the node; returns a new node to stand right after it when
// the node had to be split, else None.
int Sequence::insertInto(int node, int level, int at, int item)
{
    if (level == 0) {
        moveInLeaf(node, at, at + 1, m_leaves[size_t(node)].count - at);
        setInLeaf(node, at, item);
        if (++m_leaves[size_t(node)].count < LeafSize)
            return None;
        const int half = newLeaf();
        Leaf &full = m_leaves[size_t(node)], &other = m_leaves[size_t(half)];
        other.count = LeafSize / 2;
        std::copy(full.item + LeafSize / 2, full.item + LeafSize, other.item);
        for (int v = 0; v < m_views; ++v)
            std::copy_n(leafValues(node, v) + LeafSize / 2, LeafSize / 2, leafValues(half, v));
        full.count = LeafSize / 2;
        other.next = full.next;
        full.next = half;
        return half;
    }
    int slot = 0;
    {
        const Inner &in = m_inners[size_t(node)];
        while (slot < in.count - 1 && at > in.size[slot])
            at -= in.size[slot++];
    }
    const int sibling = insertInto(m_inners[size_t(node)].child[slot], level - 1, at, item);
    Inner &in = m_inners[size_t(node)];
    if (sibling == None) {
        // One item more below: nothing to read again.
        ++in.size[slot];
        in.outsiders[slot] |= m_foreign[size_t(item)];
        double *mine = least(node, slot);
        int *count = leastCount(node, slot);
        for (int v = 0; v < m_views; ++v) {
            const double x = value(item, v);
            if (x < mine[v]) {
                mine[v] = x;
                count[v] = 1;
            } else if (x == mine[v]) {
                ++count[v];
            }
        }
        return None;
    }
    for (int i = in.count; i > slot + 1; --i)
        moveEntry(node, i - 1, node, i);
    m_inners[size_t(node)].child[slot + 1] = sibling;
    ++m_inners[size_t(node)].count;
    describe(node, slot, level);
    describe(node, slot + 1, level);
    if (m_inners[size_t(node)].count < InnerSize)
        return None;
    const int half = newInner();
    for (int i = 0; i < InnerSize / 2; ++i)
        moveEntry(node, InnerSize / 2 + i, half, i);
    m_inners[size_t(half)].count = InnerSize / 2;
    m_inners[size_t(node)].count = InnerSize / 2;
    return half;
}

void Sequence::insert(int at, int item)
{
    ++m_size;
    if (m_root == None) {
        m_root = m_firstLeaf = newLeaf();
        m_leaves[size_t(m_root)].count = 1;
        setInLeaf(m_root, 0, item);
        return;
    }
    const int sibling = insertInto(m_root, m_height, at, item);
    if (sibling == None)
        return;
    const int root = newInner();
    m_inners[size_t(root)].count = 2;
    m_inners[size_t(root)].child[0] = m_root;
    m_inners[size_t(root)].child[1] = sibling;
    ++m_height;
    describe(root, 0, m_height);
    describe(root, 1, m_height);
    m_root = root;
}

int Sequence::lastBelowIn(int node, int level, int view, double key, int end) const
{
    if (level == 0) {
        const double *values = leafValues(node, view);
        for (int i = std::min(end, m_leaves[size_t(node)].count) - 1; i >= 0; --i) {
            if (values[i] < key)
                return i;
        }
        return None;
    }
    const Inner &in = m_inners[size_t(node)];
    int starts[InnerSize];
    int start = 0, reached = 0;
    for (; reached < in.count && start < end; ++reached) {
        starts[reached] = start;
        start += in.size[reached];
    }
    for (int s = reached - 1; s >= 0; --s) {
        if (!(least(node, s)[view] < key))
            continue;
        const int found = lastBelowIn(in.child[s], level - 1, view, key, end - starts[s]);
        if (found != None)
            return starts[s] + found;
    }
    return None;
}

int Sequence::lastBelow(int view, double key, int end) const
{
    return m_root == None || end <= 0 ? None : lastBelowIn(m_root, m_height, view, key, end);
}

int Sequence::firstOutsiderIn(int node, int level, std::uint32_t mask, int from) const
{
    if (level == 0) {
        const Leaf &leaf = m_leaves[size_t(node)];
        for (int i = std::max(from, 0); i < leaf.count; ++i) {
            if (m_foreign[size_t(leaf.item[i])] & mask)
                return i;
        }
        return None;
    }
    const Inner &in = m_inners[size_t(node)];
    int start = 0;
    for (int s = 0; s < in.count; start += in.size[s++]) {
        if (start + in.size[s] <= from || !(in.outsiders[s] & mask))
            continue;
        const int found = firstOutsiderIn(in.child[s], level - 1, mask, from - start);
        if (found != None)
            return start + found;
    }
    return None;
}

int Sequence::firstOutsider(std::uint32_t mask, int from) const
{
    if (m_root == None)
        return 0;
    const int found = firstOutsiderIn(m_root, m_height, mask, from);
    return found == None ? m_size : found;
}

double Sequence::minimumIn(int node, int level, int view, int from, int end) const
{
    double result = Infinite;
    if (level == 0) {
        const double *values = leafValues(node, view);
        for (int i = std::max(from, 0); i < std::min(end, m_leaves[size_t(node)].count); ++i)
            result = std::min(result, values[i]);
        return result;
    }
    const Inner &in = m_inners[size_t(node)];
    int start = 0;
    for (int s = 0; s < in.count && start < end; start += in.size[s++]) {
        const int stop = start + in.size[s];
        if (stop <= from || !(least(node, s)[view] < result))
            continue;
        if (from <= start && stop <= end)
            result = std::min(result, least(node, s)[view]);
        else
            result = std::min(result,
                              minimumIn(in.child[s], level - 1, view, from - start, end - start));
    }
    return result;
}

double Sequence::minimum(int view, int from, int end) const
{
    return m_root == None || from >= end ? Infinite : minimumIn(m_root, m_height, view, from, end);
}

int Sequence::at(int index) const
{
    int node = m_root;
    for (int level = m_height; level > 0; --level) {
        const Inner &in = m_inners[size_t(node)];
        int slot = 0;
        while (index >= in.size[slot])
            index -= in.size[slot++];
        node = in.child[slot];
    }
    return m_leaves[size_t(node)].item[index];
}

void Sequence::collect(std::vector<int> &into, int from) const
{
    Cursor c = begin();
    // Whole leaves before the place are passed over.
    while (!atEnd(c) && from >= m_leaves[size_t(c.leaf)].count) {
        from -= m_leaves[size_t(c.leaf)].count;
        c.leaf = m_leaves[size_t(c.leaf)].next;
    }
    if (atEnd(c))
        return;
    c.index = from;
    for (; !atEnd(c); next(c))
        into.push_back(item(c));
}

// The arrangement as a plain vector, read by a look for the ring as the
// tree is.
class Items {
public:
    Items(const std::vector<int> &items, const std::vector<double> &values,
          const std::vector<std::uint32_t> &foreign, int views)
        : m_items(items), m_values(values), m_foreign(foreign), m_views(views)
    {
    }
    using Cursor = size_t;
    Cursor begin() const { return 0; }
    bool atEnd(Cursor c) const { return c == m_items.size(); }
    int item(Cursor c) const { return m_items[c]; }
    void next(Cursor &c) const { ++c; }
    int firstOutsider(std::uint32_t mask, int from) const
    {
        size_t i = size_t(from);
        while (i < m_items.size() && !(m_foreign[size_t(m_items[i])] & mask))
            ++i;
        return int(i);
    }
    double minimum(int view, int from, int end) const
    {
        double least = Infinite;
        for (int i = from; i < end; ++i)
            least = std::min(least,
                             m_values[size_t(m_items[size_t(i)]) * size_t(m_views) + size_t(view)]);
        return least;
    }
    // Appends the items from the place given on.
    void collect(std::vector<int> &into, int from = 0) const
    {
        into.insert(into.end(), m_items.begin() + from, m_items.end());
    }

private:
    const std::vector<int> &m_items;
    const std::vector<double> &m_values;
    const std::vector<std::uint32_t> &m_foreign;
    int m_views;
};

class Engine {
public:
    Engine(const std::vector<Entry> &entries, const std::vector<int> &run);
    bool usable() const { return m_usable; }
    std::vector<int> order();

private:
    // The items of the run, numbered in the order they stood before the
    // re-sort, so that comparing numbers compares former places.
    int m_count = 0;
    std::vector<int> m_entryOf;
    std::vector<int> m_start; // the run as given
    bool m_usable = true;
    std::vector<QStringView> m_prefix; // per prefix
    std::vector<int> m_viewOf; // per prefix: the position its numbers are read at
    std::vector<qsizetype> m_viewPosition;
    int m_views = 0;
    std::vector<int> m_class; // per item: its prefix, or None without a key
    std::vector<double> m_key;
    std::vector<double>
        m_value; // per item and position: the whole number read there (and see least())
    std::vector<std::uint32_t> m_member; // per item: the prefixes whose group it belongs to
    std::vector<std::uint32_t> m_foreign; // and those it does not
    std::uint32_t m_allPrefixes = 0;

    double value(int item, int view) const { return m_value[size_t(item) * m_views + view]; }
    // Per item, what it compares as a head: its key, read against the
    // number at its view; an item without a key has a key below every
    // number, so that it sees none as smaller without a test of its own.
    struct Sight {
        double key;
        int view;
    };
    std::vector<Sight> m_sight;
    // Whether x, as a head, sees y as smaller.
    bool sees(int x, int y) const
    {
        const Sight &s = m_sight[size_t(x)];
        return m_value[size_t(y) * size_t(m_views) + size_t(s.view)] < s.key;
    }
    bool mates(int x, int y) const { return !sees(x, y) && !sees(y, x); }
    void summarise(Summaries &s, int row, int item) const;
    // Whether every item summarised sees x as smaller.
    bool allSee(const Summaries &s, int row, int x) const;
    // Whether the items of both see none of each other as smaller.
    bool oneBlock(const Summaries &s, int a, int b) const;
    // Whether x sees none of the items summarised as smaller, nor they x.
    bool fits(const Summaries &s, int row, int x) const;

    // The arrangement from p on, while items jump.
    Sequence m_sequence{m_value, m_foreign};

    // Places and jumps.
    std::vector<int> m_result;
    qint64 m_jumpsHere = 0;
    qint64 m_work = 0; // jumps and places since the last look for a ring
    qint64 m_lastLook = 0; // what that look cost
    // Where the ring ended when it was left (the parked items follow), and
    // when to look again for it.
    int m_ringEnd = None;
    qint64 m_eagerWait = 0, m_eagerStep = 0;
    void keep(int item)
    {
        m_result.push_back(item);
        m_jumpsHere = 0;
        ++m_work;
    }
    bool stepPhysical();
    // The steps themselves at one place, as written, should a circle not
    // show the shape above (it always has, so far).
    void stepsAsWritten();

    // The ring: blocks in a circle, each a list of its items.
    std::vector<int> m_next, m_previous, m_blockOf; // per item
    std::vector<int> m_first, m_last, m_blockSize, m_nextBlock, m_previousBlock;
    std::vector<char> m_reversed, m_stale;
    Summaries m_summary; // per block that has needed one, at m_summaryOf
    std::vector<int> m_summaryOf;
    Summaries m_runSummary; // per run, while looking for a ring
    int m_pass = None; // the block a turn of the ring starts with: blocks read
                       // as kept when a turn starts there
    int m_blocks = 0;
    // Blocks are numbered in the order of the ring from where it was taken
    // apart, so the numbers tell which of three blocks comes between.
    // The blocks of two or more items, by number.
    std::vector<std::uint64_t> m_big;
    void markBig(int block, bool big)
    {
        const size_t word = size_t(block) / 64;
        if (word >= m_big.size())
            m_big.resize(word + 1, 0);
        const std::uint64_t bit = std::uint64_t(1) << (block % 64);
        m_big[word] = big ? m_big[word] | bit : m_big[word] & ~bit;
    }
    int firstBigIn(int from, int to) const; // in [from, to), or None
    int firstBigAfter(int block) const;
    // Which of the circle's two arrangements led by the item comes first:
    // true for the one with every block the other way round.
    bool keptFlipped(int item) const;
    int canonFirst(int block) const
    {
        return m_reversed[size_t(block)] ? m_last[size_t(block)] : m_first[size_t(block)];
    }
    int canonLast(int block) const
    {
        return m_reversed[size_t(block)] ? m_first[size_t(block)] : m_last[size_t(block)];
    }
    // Whether, going round from just after `from`, `which` comes no later than `to`.
    static bool between(int from, int which, int to)
    {
        return from < to ? from < which && which <= to : which > from || which <= to;
    }
    std::vector<int> m_ringOrder; // the ring's items by former place
    std::vector<int> m_seen, m_after; // scratch space of the look for a ring
    struct Run {
        int first, last;
        int summary; // row in m_runSummary
        size_t start;
    };
    std::vector<Run> m_runs;
    std::vector<double> m_least;
    size_t m_ringNext = 0;
    std::vector<int> m_parked;
    bool m_ringKept = false;

    bool lookForRing(int target) { return lookForRingIn(m_sequence, target); }
    template <class Arrangement>
    bool lookForRingIn(const Arrangement &arrangement, int target);
    // Where the last look failed, while the items it failed on stand as
    // they stood: a look then fails again, as long as it reads that far.
    int m_failAt = None; // the item it failed at, by place
    int m_failFrom = None; // the first place its failure depended on
    void forgetFailure() { m_failAt = m_failFrom = None; }
    void failedAt(int at, int from)
    {
        m_failAt = at;
        m_failFrom = from;
    }
    // The head leaves the front, and jumps to the place given (None: it stays).
    void moved(int to)
    {
        if (m_failAt == None)
            return;
        --m_failAt;
        if (--m_failFrom < 0 || (to != None && to >= m_failFrom && to <= m_failAt)) {
            forgetFailure();
            return;
        }
        if (to != None && to < m_failFrom) {
            ++m_failFrom;
            ++m_failAt;
        }
    }
    // Whether the ring could close where it ended when it was left: the
    // first block sees the last item as smaller, or is its block mate.
    bool ringCouldCloseAtHint() const;
    // Makes the block of the items given (the arrays are long enough).
    void newBlock(int block, const int *from, const int *to);
    std::vector<int> m_blockItems; // scratch space of newBlock's callers
    std::vector<char> m_inRing; // per item, all 0 but while the ring is read
    void refresh(int block);
    bool allSeeBlock(int block, int x);
    bool oneBlockOf(int x, int y);
    bool takeOut(int item);
    std::vector<int> itemsOf(int block, bool reversed) const;
    std::vector<int> arrangementLedBy(int item, bool flipped) const;
    void leaveRing(int item);
    std::vector<int> m_turnList; // scratch space of a turn on a list
    void turnOnList(std::vector<int> &ring);
};

Engine::Engine(const std::vector<Entry> &entries, const std::vector<int> &run)
{
    m_count = int(run.size());
    m_entryOf = run;
    m_start.resize(run.size());
    if (std::is_sorted(m_entryOf.begin(), m_entryOf.end())) {
        for (int i = 0; i < m_count; ++i)
            m_start[size_t(i)] = i;
    } else {
        std::sort(m_entryOf.begin(), m_entryOf.end());
        for (int i = 0; i < m_count; ++i)
            m_start[size_t(i)] = int(
                std::lower_bound(m_entryOf.begin(), m_entryOf.end(), run[size_t(i)])
                - m_entryOf.begin());
    }
    m_class.assign(size_t(m_count), None);
    m_key.assign(size_t(m_count), 0);
    int lastClass = None;
    for (int i = 0; i < m_count; ++i) {
        const Entry &e = entries[size_t(m_entryOf[i])];
        if (!e.hasKey)
            continue;
        const QStringView prefix = e.text.left(e.position);
        // Neighbours mostly share their prefix: the last one found is tried first.
        if (lastClass != None && m_prefix[size_t(lastClass)].size() == prefix.size()
            && beginsWith(e.text, m_prefix[size_t(lastClass)])) {
            m_class[i] = lastClass;
            m_key[i] = e.key;
            continue;
        }
        const auto found = std::find(m_prefix.begin(), m_prefix.end(), prefix);
        if (found == m_prefix.end()) {
            if (m_prefix.size() == MostPrefixes) {
                m_usable = false;
                return;
            }
            m_prefix.push_back(prefix);
            const auto view = std::find(m_viewPosition.begin(), m_viewPosition.end(), e.position);
            m_viewOf.push_back(int(view - m_viewPosition.begin()));
            if (view == m_viewPosition.end())
                m_viewPosition.push_back(e.position);
            m_class[i] = int(m_prefix.size()) - 1;
        } else {
            m_class[i] = int(found - m_prefix.begin());
        }
        lastClass = m_class[i];
        m_key[i] = e.key;
    }
    m_views = int(m_viewPosition.size());
    m_allPrefixes = m_prefix.size() == 32 ? ~0u : (1u << m_prefix.size()) - 1;
    m_value.resize(size_t(m_count) * size_t(m_views));
    m_member.assign(size_t(m_count), 0);
    for (int i = 0; i < m_count; ++i) {
        const Entry &e = entries[size_t(m_entryOf[i])];
        for (int v = 0; v < m_views; ++v)
            m_value[size_t(i) * m_views + v] = valueAt(e, m_viewPosition[size_t(v)]);
        for (size_t g = 0; g < m_prefix.size(); ++g) {
            if (m_prefix[g].isEmpty() ? e.leading > 0 : beginsWith(e.text, m_prefix[g]))
                m_member[size_t(i)] |= 1u << g;
        }
    }
    m_sight.resize(size_t(m_count));
    for (int i = 0; i < m_count; ++i) {
        const int g = m_class[size_t(i)];
        m_sight[size_t(i)] = g == None ? Sight{-Infinite, 0}
                                       : Sight{m_key[size_t(i)], m_viewOf[size_t(g)]};
    }
}

void Engine::summarise(Summaries &s, int row, int item) const
{
    double *least = s.minValue(row);
    for (int v = 0; v < m_views; ++v)
        least[v] = std::min(least[v], value(item, v));
    const int g = m_class[item];
    if (g == None)
        return;
    s.minKey(row)[g] = std::min(s.minKey(row)[g], m_key[item]);
    s.maxKey(row)[g] = std::max(s.maxKey(row)[g], m_key[item]);
    s.present(row) |= 1u << g;
}

bool Engine::allSee(const Summaries &s, int row, int x) const
{
    for (std::uint32_t p = s.present(row); p; p &= p - 1) {
        const int g = std::countr_zero(p);
        if (!(value(x, m_viewOf[g]) < s.minKey(row)[g]))
            return false;
    }
    return true;
}

bool Engine::oneBlock(const Summaries &s, int a, int b) const
{
    for (std::uint32_t p = s.present(a) | s.present(b); p; p &= p - 1) {
        const int g = std::countr_zero(p);
        const int v = m_viewOf[g];
        if (std::min(s.minValue(a)[v], s.minValue(b)[v]) < std::max(s.maxKey(a)[g], s.maxKey(b)[g]))
            return false;
    }
    return true;
}

bool Engine::fits(const Summaries &s, int row, int x) const
{
    const int own = m_class[x];
    if (own != None && s.minValue(row)[m_viewOf[own]] < m_key[x])
        return false;
    for (std::uint32_t p = s.present(row); p; p &= p - 1) {
        const int g = std::countr_zero(p);
        if (value(x, m_viewOf[g]) < s.maxKey(row)[g])
            return false;
    }
    return true;
}

// Following the jumps ------------------------------------------------------

// One step at the present place: the head stays, or jumps, or the
// arrangement turns out to be a circle. False when no item is left.
bool Engine::stepPhysical()
{
    if (m_sequence.size() == 0)
        return false;
    const int head = m_sequence.front();
    int target = None;
    if (m_class[head] != None) {
        const int g = m_class[head];
        const int end = m_sequence.firstOutsider(1u << g, 1);
        // The head's own number is its key, never below it.
        target = m_sequence.lastBelow(m_viewOf[g], m_key[head], end);
    }
    if (target == None) {
        m_sequence.popFront();
        moved(None);
        if (m_ringEnd != None && --m_ringEnd == 0)
            m_ringEnd = None;
        keep(head);
        return true;
    }
    if (m_jumpsHere > PatiencePerItem * m_count + Patience) {
        stepsAsWritten();
        return true;
    }
    // A look costs up to the length of the arrangement; looking again only
    // after as much work keeps the looks within the cost of the jumps. Once
    // the ring has been left, the jumps mend it where the item taken out
    // stood, while the rest turns: a head jumping right behind the ring's
    // last item (or in front of block mates there) is a sign that it may be
    // whole again, worth a look at once the first times.
    bool look = m_work * 2 >= m_lastLook;
    if (!look && m_ringEnd != None && --m_eagerWait < 0) {
        const bool turning = target + 1 == m_ringEnd
            || (target + 1 < m_ringEnd && mates(head, m_sequence.at(target + 1)));
        if (turning && ringCouldCloseAtHint()) {
            look = true;
            m_eagerStep = std::max<qint64>(1, 2 * m_eagerStep);
            m_eagerWait = m_eagerStep;
        }
    }
    // A look that would only fail again where the last one failed is not made.
    if (m_failAt != None && target >= m_failAt)
        look = false;
    if (look) {
        m_work = 0;
        if (lookForRing(target))
            return true;
    }
    if (m_ringEnd != None && target >= m_ringEnd)
        m_ringEnd = None; // a head went among the parked items: no more hints
    m_sequence.popFront();
    m_sequence.insert(target, head);
    moved(target);
    ++m_jumpsHere;
    ++m_work;
    return true;
}

void Engine::stepsAsWritten()
{
    std::vector<int> items;
    m_sequence.collect(items);
    const qsizetype count = qsizetype(items.size());
    auto targetOf = [&](const std::vector<int> &order) {
        const int head = order.front();
        if (m_class[head] == None)
            return None;
        int target = None;
        for (qsizetype q = 1; q < count; ++q) {
            if (!(m_member[order[q]] & (1u << m_class[head])))
                break;
            if (sees(head, order[q]))
                target = int(q);
        }
        return target;
    };
    std::vector<int> kept = items;
    for (qint64 moves = 1, target; (target = targetOf(items)) != None; ++moves) {
        std::rotate(items.begin(), items.begin() + 1, items.begin() + target + 1);
        if (items == kept) {
            std::vector<int> closest = kept;
            do {
                std::rotate(items.begin(), items.begin() + 1, items.begin() + targetOf(items) + 1);
                closest = std::min(closest, items);
            } while (items != kept);
            items = closest;
            break;
        }
        if ((moves & (moves - 1)) == 0)
            kept = items;
    }
    keep(items.front());
    items.erase(items.begin());
    m_sequence.assign(items);
    forgetFailure();
    m_ringEnd = None;
}

// The ring -----------------------------------------------------------------

bool Engine::ringCouldCloseAtHint() const
{
    const int last = m_sequence.at(m_ringEnd - 1);
    Sequence::Cursor c = m_sequence.begin();
    const int head = m_sequence.item(c);
    if (mates(last, head))
        return true;
    for (int previous = None, i = 0; i < m_ringEnd && !m_sequence.atEnd(c);
         ++i, m_sequence.next(c)) {
        const int y = m_sequence.item(c);
        if (previous != None && !mates(previous, y))
            return true; // the first block ends here
        if (!sees(y, last))
            return false;
        previous = y;
    }
    return true;
}

// Whether the arrangement from the present place on has the shape of a
// circle (see the top); if so it is taken apart into the ring and the
// parked items. The head jumps behind the item at `target`: a ring ends
// after it, before the first item after it that is no block mate of the
// head.
template <class Arrangement>
bool Engine::lookForRingIn(const Arrangement &arrangement, int target)
{
    std::vector<int> &seen = m_seen;
    seen.clear();
    std::vector<Run> &runs = m_runs;
    runs.clear();
    Summaries &rs = m_runSummary;
    rs.clearAll();
    std::uint32_t present = 0, outsiders = 0;
    double maxKey[MostPrefixes];
    std::fill(std::begin(maxKey), std::end(maxKey), -Infinite);
    bool secondSeesFirstStart = true; // the second run sees the first's first item as smaller
    forgetFailure();
    // Where a failure of the next item depends on from (None: on more).
    int failFrom = None;

    // The latest run's summary (from the third run on) is made only once
    // it is read: most runs of a long ring hold one item, and are never.
    bool latestPending = false;
    auto settleLatest = [&]() {
        if (!latestPending)
            return;
        rs.clear(runs.back().summary);
        summarise(rs, runs.back().summary, runs.back().first);
        latestPending = false;
    };

    // Adds the next item to the ring read so far; false where the items up
    // to it cannot be the start of a ring.
    auto extend = [&](int y) {
        const int g = m_class[y];
        const int at = int(seen.size());
        failFrom = None;
        if (g == None) {
            failFrom = at;
            return false; // an item without a number never jumps: no ring holds it
        }
        present |= 1u << g;
        outsiders |= ~m_member[y] & m_allPrefixes;
        if (present & outsiders)
            return false;
        maxKey[g] = std::max(maxKey[g], m_key[y]);
        const Sight own = m_sight[size_t(y)];
        const double *const values = m_value.data() + own.view;
        const size_t views = size_t(m_views);
        auto ySees = [&](int z) { return values[size_t(z) * views] < own.key; };
        if (!seen.empty() && !ySees(seen.back()) && !sees(seen.back(), y)) {
            settleLatest();
            if (!fits(rs, runs.back().summary, y)) {
                failFrom = int(runs.back().start);
                return false;
            }
        } else {
            // Only the first two runs and the latest are ever looked into.
            int row = int(runs.size());
            if (row > 2) {
                row = 2;
                latestPending = true;
            } else {
                rs.add();
            }
            runs.push_back({y, y, row, seen.size()});
        }
        Run &run = runs.back();
        if (runs.size() == 2) {
            if (!ySees(runs[0].last)) {
                failFrom = at - 1;
                return false;
            }
            secondSeesFirstStart = secondSeesFirstStart && ySees(runs[0].first);
        } else if (runs.size() > 2) {
            const Run &before = runs[runs.size() - 2];
            if (!ySees(before.first) || !ySees(before.last)) {
                failFrom = int(before.start) - 1;
                return false;
            }
        }
        run.last = y;
        if (!latestPending)
            summarise(rs, run.summary, y);
        seen.push_back(y);
        return true;
    };
    // Whether the ring ending after the items read so far has the shape, as
    // far as the ring itself goes.
    auto ringCouldEndHere = [&]() {
        const size_t k = runs.size() - 1;
        const int head = seen.front(), last = seen.back();
        const Run &first = runs.front(), &lastRun = runs.back();
        if (!mates(last, head)) {
            if (k < 1 || !secondSeesFirstStart)
                return false;
            return allSee(rs, first.summary, lastRun.first)
                && allSee(rs, first.summary, lastRun.last);
        }
        // The head's block, part of it gone round already.
        if (k < 2)
            return false;
        settleLatest();
        if (!oneBlock(rs, first.summary, lastRun.summary))
            return false;
        const Run &beforeLast = runs[k - 1];
        return allSee(rs, first.summary, beforeLast.first)
            && allSee(rs, first.summary, beforeLast.last) && allSee(rs, runs[1].summary, last);
    };

    // The items up to the target all belong to the ring.
    typename Arrangement::Cursor c = arrangement.begin();
    for (int i = 0; i <= target; ++i, arrangement.next(c)) {
        if (!extend(arrangement.item(c))) {
            if (failFrom != None)
                failedAt(i, failFrom);
            m_lastLook = qint64(i) + 8;
            return false;
        }
    }
    // The ring ends after the target, before the first item after it that is
    // no block mate of the head (parked from there on).
    const int head = seen.front();
    std::vector<int> &after = m_after;
    after.clear();
    for (; !arrangement.atEnd(c) && mates(head, arrangement.item(c)); arrangement.next(c))
        after.push_back(arrangement.item(c));
    m_lastLook = qint64(seen.size() + after.size()) + 8;
    // No item of the ring may see a parked item of its group as smaller: per
    // prefix, the smallest number read in the parked items up to the first
    // outside its group is no smaller than the ring's largest key. Worked out
    // for every possible end, from the last backwards.
    const size_t prefixes = m_prefix.size();
    std::vector<double> &least = m_least;
    least.resize((after.size() + 1) * prefixes);
    const int last = target + 1 + int(after.size());
    for (size_t g = 0; g < prefixes; ++g)
        least[after.size() * prefixes + g] = arrangement.minimum(
            m_viewOf[g], last, arrangement.firstOutsider(1u << g, last));
    for (size_t i = after.size(); i-- > 0;) {
        const int y = after[i];
        for (size_t g = 0; g < prefixes; ++g)
            least[i * prefixes + g] = m_member[y] & (1u << g)
                ? std::min(least[(i + 1) * prefixes + g], value(y, m_viewOf[g]))
                : Infinite;
    }
    auto parkedFrom = [&](size_t i) {
        for (std::uint32_t p = present; p; p &= p - 1) {
            const int g = std::countr_zero(p);
            if (least[i * prefixes + size_t(g)] < maxKey[g])
                return false;
        }
        return true;
    };
    bool found = parkedFrom(0) && ringCouldEndHere();
    for (size_t i = 0; !found && i < after.size(); ++i)
        found = extend(after[i]) && parkedFrom(i + 1) && ringCouldEndHere();
    if (!found) {
        return false;
    }

    // Take the arrangement apart.
    const size_t ringSize = seen.size();
    m_parked.clear();
    arrangement.collect(m_parked, int(ringSize));
    // The blocks of a ring left before are no longer needed: starting
    // afresh keeps the arrays as short as the ring. Blocks are numbered in
    // the ring's order, each followed by the next.
    const bool headBlockSplit = mates(seen.back(), seen.front());
    const int blocks = int(headBlockSplit ? runs.size() - 1 : runs.size());
    for (auto *v : {&m_first, &m_last, &m_blockSize, &m_nextBlock, &m_previousBlock})
        v->resize(size_t(blocks));
    m_summaryOf.assign(size_t(blocks), None);
    m_reversed.assign(size_t(blocks), 0);
    m_stale.assign(size_t(blocks), 1); // worked out when first needed
    m_big.assign((size_t(blocks) + 63) / 64, 0);
    m_summary.clearAll();
    m_blocks = blocks;
    for (int r = 0; r < blocks; ++r) {
        const size_t end = size_t(r) + 1 < runs.size() ? runs[size_t(r) + 1].start : seen.size();
        const int *from = seen.data() + runs[size_t(r)].start, *to = seen.data() + end;
        if (r == 0 && headBlockSplit) {
            // The part gone round stands last, latest first.
            std::vector<int> &items = m_blockItems;
            items.assign(seen.rbegin(), seen.rend() - qsizetype(runs.back().start));
            items.insert(items.end(), from, to);
            from = items.data();
            to = from + items.size();
        }
        newBlock(r, from, to);
        m_nextBlock[size_t(r)] = r + 1 < blocks ? r + 1 : 0;
        m_previousBlock[size_t(r)] = r > 0 ? r - 1 : blocks - 1;
    }
    m_pass = 0;
    // By former place: the items are numbered so.
    if (seen.size() * 16 < size_t(m_count)) {
        m_ringOrder = seen;
        std::sort(m_ringOrder.begin(), m_ringOrder.end());
    } else {
        m_inRing.resize(size_t(m_count), 0);
        int lowest = m_count, highest = 0;
        for (const int x : seen) {
            m_inRing[size_t(x)] = 1;
            lowest = std::min(lowest, x);
            highest = std::max(highest, x);
        }
        m_ringOrder.resize(seen.size());
        size_t at = 0;
        for (int x = lowest; x <= highest; ++x) {
            if (m_inRing[size_t(x)]) {
                m_inRing[size_t(x)] = 0;
                m_ringOrder[at++] = x;
            }
        }
    }
    m_ringNext = 0;
    m_sequence.assign({});
    forgetFailure();
    m_ringEnd = None;
    m_eagerStep = 0;
    m_ringKept = true;
    return true;
}

void Engine::newBlock(int block, const int *from, const int *to)
{
    m_first[size_t(block)] = *from;
    m_last[size_t(block)] = to[-1];
    const int size = int(to - from);
    m_blockSize[size_t(block)] = size;
    for (int i = 0; i < size; ++i) {
        const int x = from[i];
        m_blockOf[size_t(x)] = block;
        m_previous[size_t(x)] = i == 0 ? None : from[i - 1];
        m_next[size_t(x)] = i + 1 == size ? None : from[i + 1];
    }
    if (size > 1)
        markBig(block, true);
}

int Engine::firstBigIn(int from, int to) const
{
    for (int b = from; b < to;) {
        const size_t word = size_t(b) / 64;
        if (word >= m_big.size())
            return None;
        const std::uint64_t bits = m_big[word] >> (b % 64);
        if (bits) {
            const int found = b + std::countr_zero(bits);
            return found < to ? found : None;
        }
        b = int(word + 1) * 64;
    }
    return None;
}

int Engine::firstBigAfter(int block) const
{
    const int top = int(m_first.size());
    int found = firstBigIn(block + 1, top);
    if (found == None)
        found = firstBigIn(0, block);
    return found;
}

bool Engine::keptFlipped(int item) const
{
    const int block = m_blockOf[item];
    if (m_blockSize[size_t(block)] > 1) {
        // They differ at the second item: the item's neighbour in its block
        // on one side or the other, or where it has none there, the first
        // item of the next block as each arrangement meets it.
        const std::vector<int> own = itemsOf(block, false);
        const size_t at = size_t(std::find(own.begin(), own.end(), item) - own.begin());
        const int next = m_nextBlock[size_t(block)];
        const bool goneRound = next == m_pass;
        auto firstOf = [&](bool flipped) {
            return flipped != goneRound ? canonLast(next) : canonFirst(next);
        };
        const int kept = at + 1 < own.size() ? own[at + 1] : firstOf(false);
        const int turned = at > 0 ? own[at - 1] : firstOf(true);
        return turned < kept;
    }
    // They differ first at the first block of two or more items after it,
    // which one meets from one end and the other from the other.
    const int big = firstBigAfter(block);
    if (big == None)
        return false;
    const bool goneRound = between(block, m_pass, big);
    return (canonFirst(big) < canonLast(big)) == goneRound;
}

// A block's summary after items have left it, made again when it is needed.
void Engine::refresh(int block)
{
    if (!m_stale[size_t(block)])
        return;
    if (m_summaryOf[size_t(block)] == None)
        m_summaryOf[size_t(block)] = m_summary.add();
    const int row = m_summaryOf[size_t(block)];
    m_summary.clear(row);
    for (int x = m_first[size_t(block)]; x != None; x = m_next[x])
        summarise(m_summary, row, x);
    m_stale[size_t(block)] = 0;
}

bool Engine::allSeeBlock(int block, int x)
{
    refresh(block);
    return allSee(m_summary, m_summaryOf[size_t(block)], x);
}

bool Engine::oneBlockOf(int x, int y)
{
    refresh(x);
    refresh(y);
    return oneBlock(m_summary, m_summaryOf[size_t(x)], m_summaryOf[size_t(y)]);
}

// The block's items in the order a turn starting with it meets them, or the
// other way round.
std::vector<int> Engine::itemsOf(int block, bool reversed) const
{
    std::vector<int> items;
    items.reserve(size_t(m_blockSize[size_t(block)]));
    if (reversed == bool(m_reversed[size_t(block)])) {
        for (int x = m_first[size_t(block)]; x != None; x = m_next[x])
            items.push_back(x);
    } else {
        for (int x = m_last[size_t(block)]; x != None; x = m_previous[x])
            items.push_back(x);
    }
    return items;
}

// Takes the item that stood first out of the ring, when the ring that is
// left still has the shape of a circle; otherwise changes nothing.
bool Engine::takeOut(int item)
{
    const int block = m_blockOf[item];
    if (m_blockSize[size_t(block)] > 1) {
        if (item == m_first[size_t(block)] || item == m_last[size_t(block)]) {
            const int one = item == m_first[size_t(block)] ? m_next[item] : m_first[size_t(block)];
            const int other = item == m_last[size_t(block)] ? m_previous[item]
                                                            : m_last[size_t(block)];
            const int next = m_nextBlock[size_t(block)];
            if (!allSeeBlock(next, one) || !allSeeBlock(next, other)) {
                return false;
            }
        }
        if (m_previous[item] != None)
            m_next[m_previous[item]] = m_next[item];
        else
            m_first[size_t(block)] = m_next[item];
        if (m_next[item] != None)
            m_previous[m_next[item]] = m_previous[item];
        else
            m_last[size_t(block)] = m_previous[item];
        if (--m_blockSize[size_t(block)] == 1)
            markBig(block, false);
        m_stale[size_t(block)] = 1;
        return true;
    }
    if (m_blocks <= 2) {
        return false;
    }
    const int before = m_previousBlock[size_t(block)], after = m_nextBlock[size_t(block)];
    auto unlink = [&](int b) {
        m_nextBlock[size_t(m_previousBlock[size_t(b)])] = m_nextBlock[size_t(b)];
        m_previousBlock[size_t(m_nextBlock[size_t(b)])] = m_previousBlock[size_t(b)];
        --m_blocks;
    };
    if (oneBlockOf(before, after)) {
        if (m_blocks <= 3) {
            return false;
        }
        // Its neighbours become one block, whose order depends on which of
        // the two arrangements led by the item is kept: they differ first at
        // the first block of two or more items after it, which one of them
        // meets from one end and the other from the other. Where a turn
        // starts at the item or just after it, the block before has gone
        // round already when the one after comes.
        const bool across = m_pass == block || m_pass == after;
        const bool flipped = keptFlipped(item);
        const bool afterFirst = m_pass == after ? !flipped : flipped;
        const std::vector<int> beforePart = itemsOf(before, across),
                               afterPart = itemsOf(after, false);
        const std::vector<int> &front = afterFirst ? afterPart : beforePart;
        const std::vector<int> &back = afterFirst ? beforePart : afterPart;
        const int outer = m_previousBlock[size_t(before)], beyond = m_nextBlock[size_t(after)];
        if (!allSeeBlock(after, m_first[size_t(outer)])
            || !allSeeBlock(after, m_last[size_t(outer)]) || !allSeeBlock(beyond, front.front())
            || !allSeeBlock(beyond, back.back())) {
            return false;
        }
        unlink(block);
        // The smaller block's items join the larger block's list, which then
        // reads as front·back, or as its reverse.
        const bool intoBefore = m_blockSize[size_t(before)] >= m_blockSize[size_t(after)];
        const int keepBlock = intoBefore ? before : after, gone = intoBefore ? after : before;
        const bool keptIsFront = intoBefore != afterFirst;
        const bool forward = intoBefore ? across == bool(m_reversed[size_t(before)])
                                        : !m_reversed[size_t(after)];
        auto append = [&](int x) {
            const int last = m_last[size_t(keepBlock)];
            m_next[last] = x;
            m_previous[x] = last;
            m_next[x] = None;
            m_last[size_t(keepBlock)] = x;
            m_blockOf[x] = keepBlock;
        };
        auto prepend = [&](int x) {
            const int first = m_first[size_t(keepBlock)];
            m_previous[first] = x;
            m_next[x] = first;
            m_previous[x] = None;
            m_first[size_t(keepBlock)] = x;
            m_blockOf[x] = keepBlock;
        };
        // The list reads as the kept part, or as its reverse.
        if (keptIsFront == forward) {
            if (forward) {
                for (const int x : back)
                    append(x);
            } else {
                for (auto x = front.rbegin(); x != front.rend(); ++x)
                    append(*x);
            }
        } else if (forward) {
            for (auto x = front.rbegin(); x != front.rend(); ++x)
                prepend(*x);
        } else {
            for (const int x : back)
                prepend(x);
        }
        m_reversed[size_t(keepBlock)] = !forward;
        m_blockSize[size_t(keepBlock)] += m_blockSize[size_t(gone)];
        if (m_stale[size_t(keepBlock)] || m_stale[size_t(gone)])
            m_stale[size_t(keepBlock)] = 1;
        else
            m_summary.add(m_summaryOf[size_t(keepBlock)], m_summaryOf[size_t(gone)]);
        unlink(gone);
        markBig(gone, false);
        markBig(keepBlock, true);
        if (across || m_pass == before)
            m_pass = keepBlock;
        return true;
    }
    if (!allSeeBlock(after, m_first[size_t(before)])
        || !allSeeBlock(after, m_last[size_t(before)])) {
        return false;
    }
    unlink(block);
    if (m_pass == block)
        m_pass = after;
    return true;
}

// An arrangement of the circle led by the item: a turn of the ring starting
// with the item's block, the item's block mates before it gone round; the
// other one has every block the other way round.
std::vector<int> Engine::arrangementLedBy(int item, bool flipped) const
{
    const int block = m_blockOf[item];
    const std::vector<int> own = itemsOf(block, flipped);
    const auto at = std::find(own.begin(), own.end(), item);
    std::vector<int> order;
    order.reserve(m_ringOrder.size() - m_ringNext + 1);
    order.insert(order.end(), at, own.end());
    // Blocks from the start of a turn up to this block have gone round once
    // more than the others.
    bool goneRound = false;
    for (int b = m_nextBlock[size_t(block)]; b != block; b = m_nextBlock[size_t(b)]) {
        if (b == m_pass)
            goneRound = true;
        if ((flipped != goneRound) == bool(m_reversed[size_t(b)])) {
            for (int x = m_first[size_t(b)]; x != None; x = m_next[x])
                order.push_back(x);
        } else {
            for (int x = m_last[size_t(b)]; x != None; x = m_previous[x])
                order.push_back(x);
        }
    }
    order.insert(order.end(), std::make_reverse_iterator(at), own.rend());
    return order;
}

// The ring no longer has the shape once the item is out: the arrangement
// kept at this place is made whole, and the item stays at it.
void Engine::leaveRing(int item)
{
    std::vector<int> order = arrangementLedBy(item, keptFlipped(item));
    keep(item);
    order.erase(order.begin());
    turnOnList(order);
    const int ringItems = int(order.size());
    m_ringEnd = ringItems;
    m_eagerWait = 0;
    m_work = 0;
    order.insert(order.end(), m_parked.begin(), m_parked.end());
    m_parked.clear();
    m_ringKept = false;
    forgetFailure();
    // The ring has mostly come back after that turn: a look at once, on the
    // items as they stand, for the head's jump (behind the last item of the
    // ring it sees as smaller).
    const int head = order.empty() ? None : order.front();
    if (head != None && m_class[head] != None) {
        int target = ringItems - 1;
        while (target > 0 && !sees(head, order[size_t(target)]))
            --target;
        if (target > 0 && lookForRingIn(Items(order, m_value, m_foreign, m_views), target))
            return;
    }
    m_sequence.assign(order);
}

// The ring comes back, if at all, only once the items have gone round, so
// the jumps of the first turn are followed on a plain list of the ring's
// items, without looking for it. Each head is an item of the ring: it
// belongs to the group of every other and sees no parked item as smaller,
// so it jumps behind the last item of the ring it sees as smaller, which is
// nearly always one of the last few. Where a head stays, or its jump lands
// further back, the tree takes over from there.
void Engine::turnOnList(std::vector<int> &ring)
{
    const int n = int(ring.size());
    if (n < 2)
        return;
    // The list stands in a buffer twice its length: a head leaves the front
    // and goes in among the last few, which move up by one, so the list
    // slides along the buffer by one place per jump and is read straight
    // through.
    std::vector<int> &list = m_turnList;
    list.resize(2 * size_t(n) + 1);
    int *const buffer = list.data();
    std::copy(ring.begin(), ring.end(), buffer);
    int front = 0, end = n;
    // Items read back from the end for one jump, and for the whole turn:
    // never much more than the tree would cost.
    constexpr int Reach = 64;
    qint64 budget = 8 * qint64(n);
    int jumps = 0;
    for (; jumps < n; ++jumps) {
        // A head without a key sees none as smaller, and stays.
        const int head = buffer[front];
        const Sight sight = m_sight[size_t(head)];
        const double *const values = m_value.data() + sight.view;
        const double key = sight.key;
        const int stop = std::max(front + 1, end - Reach);
        int target = end - 1;
        while (target >= stop && !(values[size_t(buffer[target]) * size_t(m_views)] < key))
            --target;
        budget -= end - target;
        if (target < stop || budget < 0)
            break;
        // Behind the target: the items after it move up by one.
        std::memmove(buffer + target + 2, buffer + target + 1,
                     size_t(end - target - 1) * sizeof(int));
        buffer[target + 1] = head;
        ++end;
        ++front;
    }
    if (jumps == 0)
        return;
    ring.assign(buffer + front, buffer + end);
    m_jumpsHere += jumps;
}

std::vector<int> Engine::order()
{
    m_foreign.resize(size_t(m_count));
    for (size_t i = 0; i < m_foreign.size(); ++i)
        m_foreign[i] = ~m_member[i] & m_allPrefixes;
    m_next.assign(size_t(m_count), None);
    m_previous.assign(size_t(m_count), None);
    m_blockOf.assign(size_t(m_count), None);
    m_result.reserve(size_t(m_count));
    m_summary.shape(int(m_prefix.size()), m_views);
    m_runSummary.shape(int(m_prefix.size()), m_views);
    m_sequence.setViews(m_views);
    m_sequence.assign(m_start);
    while (true) {
        if (m_ringKept) {
            const int item = m_ringOrder[m_ringNext++];
            if (takeOut(item)) {
                keep(item);
            } else {
                leaveRing(item);
            }
            continue;
        }
        if (!stepPhysical())
            break;
    }
    std::vector<int> entries;
    entries.reserve(m_result.size());
    for (const int i : m_result)
        entries.push_back(m_entryOf[size_t(i)]);
    return entries;
}

} // namespace

bool orderRun(const std::vector<Entry> &entries, std::vector<int> &run)
{
    Engine engine(entries, run);
    if (!engine.usable())
        return false;
    run = engine.order();
    return true;
}

} // namespace ReSortRun
