// Pointer map and list, their typed views, and the critical section.
#include "platform/mfc/CCriticalSection.h"
#include "platform/mfc/CTypedPtr.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

TEST(CollectionsTest, MapAddsFindsRemovesAndIterates)
{
    CMapPtrToPtr map(10);
    std::map<void*, void*> reference;
    for (UINT_PTR i = 1; i <= 500; ++i) {
        void* key = reinterpret_cast<void*>(i * 16);
        map.SetAt(key, reinterpret_cast<void*>(i));
        reference[key] = reinterpret_cast<void*>(i);
    }
    map.SetAt(reinterpret_cast<void*>(16), reinterpret_cast<void*>(999));  // replaces
    reference[reinterpret_cast<void*>(16)] = reinterpret_cast<void*>(999);
    EXPECT_EQ(500, map.GetCount());
    for (UINT_PTR i = 2; i <= 500; i += 2) {
        EXPECT_TRUE(map.RemoveKey(reinterpret_cast<void*>(i * 16)));
        reference.erase(reinterpret_cast<void*>(i * 16));
    }
    EXPECT_FALSE(map.RemoveKey(reinterpret_cast<void*>(32)));
    EXPECT_EQ(250, map.GetCount());

    std::map<void*, void*> seen;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        void* key = nullptr;
        void* value = nullptr;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.emplace(key, value).second) << "each entry once";
    }
    EXPECT_EQ(reference, seen);

    void* value = nullptr;
    EXPECT_TRUE(map.Lookup(reinterpret_cast<void*>(16), value));
    EXPECT_EQ(reinterpret_cast<void*>(999), value);
    EXPECT_FALSE(map.Lookup(reinterpret_cast<void*>(17), value));
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(CollectionsTest, TypedViews)
{
    struct Item {
        int n;
    };
    CTypedPtrMap<CMapPtrToPtr, HWND, Item*> map;
    Item a{1};
    HWND hKey = reinterpret_cast<HWND>(0x1234);
    map.SetAt(hKey, &a);
    Item* pFound = nullptr;
    ASSERT_TRUE(map.Lookup(hKey, pFound));
    EXPECT_EQ(&a, pFound);
    CTypedPtrMap<CMapPtrToPtr, UINT_PTR, Item*> byId;
    byId.SetAt(GetCurrentThreadId(), &a);
    EXPECT_TRUE(byId.Lookup(GetCurrentThreadId(), pFound));

    CTypedPtrList<CPtrList, Item*> list;
    Item b{2}, c{3};
    list.AddTail(&b);
    list.AddHead(&a);
    list.InsertAfter(list.GetHeadPosition(), &c);
    std::vector<int> order;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        order.push_back(list.GetNext(pos)->n);
    EXPECT_EQ((std::vector<int>{1, 3, 2}), order);
    list.RemoveAt(list.Find(&c));
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(&a, list.RemoveHead());
    EXPECT_EQ(&b, list.RemoveTail());
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CollectionsTest, CriticalSectionSerialises)
{
    CCriticalSection section;
    long nCounter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            CSingleLock lock(&section, TRUE);
            const long n = nCounter;
            nCounter = n + 1;
        }
    };
    std::thread t1(work), t2(work);
    t1.join();
    t2.join();
    EXPECT_EQ(40000, nCounter);
}
