// The pieces under the check: the box hierarchy against plain loops, point
// welding, radix sorting and the area two outlines share.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "analysis/BoxTree.h"
#include "analysis/PolygonMath.h"
#include "analysis/RadixSort.h"
#include "analysis/ShellRays.h"
#include "analysis/VertexWelder.h"
#include "model/Face.h"

using analysis::Box;
using analysis::BoxTree;
using geometry::X3DPoint;

namespace {

std::vector<Box> randomBoxes(std::mt19937& rng, int n, double world, double size)
{
    std::uniform_real_distribution<double> at(0.0, world);
    std::uniform_real_distribution<double> extent(0.0, size);
    std::vector<Box> boxes(n);
    for (Box& b : boxes) {
        X3DPoint p(at(rng), at(rng), at(rng) * 0.1);
        b.extend(p);
        b.extend(X3DPoint(p.x + extent(rng), p.y + extent(rng), p.z + extent(rng) * 0.1));
    }
    return boxes;
}

}  // namespace

TEST(BoxTree, FindsWhatPlainLoopsFind)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        int n = 1 + round * 97;
        std::vector<Box> boxes = randomBoxes(rng, n, 100.0, round % 2 ? 3.0 : 30.0);
        if (round % 5 == 0) {
            boxes[n / 2] = Box();  // an empty box is left out
        }
        BoxTree tree(boxes);
        std::vector<Box> queries = randomBoxes(rng, 30, 100.0, 20.0);
        for (const Box& q : queries) {
            std::set<std::uint32_t> found;
            tree.overlapping(q, [&](std::uint32_t i) {
                EXPECT_TRUE(found.insert(i).second) << "reported twice";
                return true;
            });
            std::set<std::uint32_t> wanted;
            for (std::uint32_t i = 0; i < boxes.size(); ++i) {
                if (!boxes[i].empty() && boxes[i].overlaps(q)) {
                    wanted.insert(i);
                }
            }
            EXPECT_EQ(found, wanted);

            X3DPoint a = q.min;
            X3DPoint b = q.max;
            std::set<std::uint32_t> along;
            tree.alongSegment(a, b, [&](std::uint32_t i) {
                along.insert(i);
                return true;
            });
            std::set<std::uint32_t> alongWanted;
            for (std::uint32_t i = 0; i < boxes.size(); ++i) {
                if (!boxes[i].empty() && boxes[i].meetsSegment(a, b)) {
                    alongWanted.insert(i);
                }
            }
            EXPECT_EQ(along, alongWanted);

            std::set<std::uint32_t> ray;
            tree.alongRayX(a, 1e300, [&](std::uint32_t i) {
                ray.insert(i);
                return true;
            });
            for (std::uint32_t i = 0; i < boxes.size(); ++i) {
                const Box& bx = boxes[i];
                bool meets = !bx.empty() && bx.max.x >= a.x && bx.min.y <= a.y && a.y <= bx.max.y && bx.min.z <= a.z &&
                             a.z <= bx.max.z;
                EXPECT_EQ(ray.count(i) > 0, meets) << i;
            }
        }
        std::set<std::pair<std::uint32_t, std::uint32_t>> pairs;
        tree.overlappingPairs([&](std::uint32_t i, std::uint32_t j) {
            EXPECT_LT(i, j);
            EXPECT_TRUE(pairs.insert({i, j}).second) << "pair reported twice";
            return true;
        });
        std::set<std::pair<std::uint32_t, std::uint32_t>> pairsWanted;
        for (std::uint32_t i = 0; i < boxes.size(); ++i) {
            for (std::uint32_t j = i + 1; j < boxes.size(); ++j) {
                if (!boxes[i].empty() && !boxes[j].empty() && boxes[i].overlaps(boxes[j])) {
                    pairsWanted.insert({i, j});
                }
            }
        }
        EXPECT_EQ(pairs, pairsWanted) << n << " boxes";
    }
}

TEST(BoxTree, AVisitAnsweringFalseEndsTheSearch)
{
    std::mt19937 rng(3);
    BoxTree tree(randomBoxes(rng, 500, 10.0, 10.0));
    int visits = 0;
    tree.overlappingPairs([&](std::uint32_t, std::uint32_t) { return ++visits < 10; });
    EXPECT_EQ(visits, 10);
    Box all;
    all.extend(X3DPoint(-1, -1, -1));
    all.extend(X3DPoint(100, 100, 100));
    visits = 0;
    tree.overlapping(all, [&](std::uint32_t) { return ++visits < 3; });
    EXPECT_EQ(visits, 3);
}

TEST(BoxTree, ManyBoxesWithOneCentreStayShallow)
{
    // Identical boxes share a place on the curve; the tree halves them, and
    // the queries' fixed stacks hold.
    std::vector<Box> boxes(100000);
    for (Box& b : boxes) {
        b.extend(X3DPoint(1, 1, 1));
        b.extend(X3DPoint(2, 2, 2));
    }
    BoxTree tree(boxes);
    Box q;
    q.extend(X3DPoint(1.5, 1.5, 1.5));
    long found = 0;
    tree.overlapping(q, [&](std::uint32_t) {
        ++found;
        return true;
    });
    EXPECT_EQ(found, 100000);
}

TEST(VertexWelder, PointsWithinTheToleranceBecomeOne)
{
    analysis::VertexWelder welder(0.001, 16);
    std::uint32_t a = welder.add({1.0, 2.0, 3.0});
    EXPECT_EQ(welder.add({1.0, 2.0, 3.0}), a);
    EXPECT_EQ(welder.add({1.0009, 2.0, 3.0}), a);
    EXPECT_EQ(welder.add({1.0, 2.0, 2.9995}), a);
    EXPECT_NE(welder.add({1.0011, 2.0, 3.0}), a);
    EXPECT_NE(welder.add({1.0008, 2.0008, 3.0}), a) << "within in each axis, not in distance";
}

TEST(VertexWelder, NeighboursAcrossCellSidesAreFound)
{
    // Pairs 0.9 mm apart in random directions, many of them across the sides
    // of the welding grid's cells: each pair must weld, and different pairs not.
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> at(-50.0, 50.0);
    std::uniform_real_distribution<double> dir(-1.0, 1.0);
    analysis::VertexWelder welder(0.001, 1000);
    std::set<std::uint32_t> ids;
    for (int i = 0; i < 2000; ++i) {
        X3DPoint p(at(rng), at(rng), at(rng));
        geometry::X3DVector d(dir(rng), dir(rng), dir(rng));
        d.normalise();
        X3DPoint q(p.x + d.x * 0.0009, p.y + d.y * 0.0009, p.z + d.z * 0.0009);
        std::uint32_t a = welder.add(p);
        EXPECT_EQ(welder.add(q), a) << i;
        EXPECT_TRUE(ids.insert(a).second);
    }
    EXPECT_EQ(welder.points().size(), 2000u);
}

TEST(RadixSort, SortsByKeyAndKeepsTheOrderOfEqualKeys)
{
    std::mt19937_64 rng(5);
    std::vector<analysis::KeyedItem> items;
    for (std::uint32_t i = 0; i < 50000; ++i) {
        items.push_back({rng() % 1000 + (i % 3 == 0 ? (std::uint64_t{1} << 40) : 0), i});
    }
    std::vector<analysis::KeyedItem> wanted = items;
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const analysis::KeyedItem& a, const analysis::KeyedItem& b) { return a.key < b.key; });
    analysis::radixSort(items, 44);
    ASSERT_EQ(items.size(), wanted.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        ASSERT_EQ(items[i].key, wanted[i].key) << i;
        ASSERT_EQ(items[i].value, wanted[i].value) << i;
    }
}

TEST(PolygonMath, CommonAreaOfOverlappingOutlines)
{
    using analysis::Point2;
    std::vector<Point2> square{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    std::vector<Point2> shifted{{1, 1}, {3, 1}, {3, 3}, {1, 3}};
    analysis::Overlap o = analysis::commonArea(analysis::triangulate(square), analysis::triangulate(shifted));
    EXPECT_NEAR(o.area, 1.0, 1e-12);
    EXPECT_NEAR(o.centroid.x, 1.5, 1e-12);
    EXPECT_NEAR(o.centroid.y, 1.5, 1e-12);

    // An L (not convex) and a square over its notch share only the L's arms.
    std::vector<Point2> ell{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}};
    std::vector<analysis::Triangle2> pieces = analysis::triangulate(ell);
    double total = 0.0;
    for (const auto& t : pieces) {
        total += ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y)) / 2;
    }
    EXPECT_NEAR(total, 7.0, 1e-12);
    std::vector<Point2> notch{{0.5, 0.5}, {3, 0.5}, {3, 3}, {0.5, 3}};
    EXPECT_NEAR(analysis::commonArea(pieces, analysis::triangulate(notch)).area, 2.5 * 0.5 + 2.0 * 0.5, 1e-12);

    // Clockwise outlines count the same; outlines that only touch share nothing.
    std::vector<Point2> clockwise(square.rbegin(), square.rend());
    EXPECT_NEAR(analysis::commonArea(analysis::triangulate(clockwise), analysis::triangulate(square)).area, 4.0, 1e-12);
    std::vector<Point2> beside{{2, 0}, {4, 0}, {4, 2}, {2, 2}};
    EXPECT_NEAR(analysis::commonArea(analysis::triangulate(beside), analysis::triangulate(square)).area, 0.0, 1e-12);
}

TEST(PolygonMath, DistanceFromAPointToAFace)
{
    std::vector<X3DPoint> square{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    geometry::X3DVector up(0, 0, 1);
    EXPECT_NEAR(analysis::distanceToPolygon({0.5, 0.5, 2}, square.data(), 4, up), 2.0, 1e-12);
    EXPECT_NEAR(analysis::distanceToPolygon({2, 0.5, 0}, square.data(), 4, up), 1.0, 1e-12);
    EXPECT_NEAR(analysis::distanceToPolygon({4, 5, 12}, square.data(), 4, up), 13.0, 1e-12);
}

TEST(PolygonMath, ACombTriangulatesToItsOwnArea)
{
    // 150 teeth: 600 vertices, most of them reflex.
    using analysis::Point2;
    std::vector<Point2> comb{{0, 0}};
    for (int t = 0; t < 150; ++t) {
        comb.push_back({t + 0.0, 1.0});
        comb.push_back({t + 0.0, 5.0});
        comb.push_back({t + 0.5, 5.0});
        comb.push_back({t + 0.5, 1.0});
    }
    comb.push_back({150, 1});
    comb.push_back({150, 0});
    std::reverse(comb.begin(), comb.end());  // anticlockwise
    double wanted = analysis::signedArea(comb);
    ASSERT_GT(wanted, 0.0);
    double total = 0.0;
    for (const auto& t : analysis::triangulate(comb)) {
        double a = ((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y)) / 2;
        EXPECT_GE(a, 0.0);
        total += a;
    }
    EXPECT_NEAR(total, wanted, 1e-9);
    EXPECT_NEAR(wanted, 150.0 + 150 * 0.5 * 4.0, 1e-9);
}

TEST(ShellRays, ShellsNestedDeeplyCostNoMoreThanTheBudget)
{
    // Thirty cubes, each inside the next: a point in the smallest lies in
    // all thirty (even: outside), one between the first and second in 29.
    std::vector<std::unique_ptr<model::Face>> owned;
    std::vector<analysis::FacePart> faces;
    std::vector<int> shell;
    for (int k = 0; k < 30; ++k) {
        double a = 1.0 + k;
        X3DPoint c[8] = {{-a, -a, -a}, {a, -a, -a}, {a, a, -a}, {-a, a, -a},
                         {-a, -a, a},  {a, -a, a},  {a, a, a},  {-a, a, a}};
        int sides[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
        for (const auto& s : sides) {
            owned.push_back(std::make_unique<model::Face>(std::vector<X3DPoint>{c[s[0]], c[s[1]], c[s[2]], c[s[3]]},
                                                          materials::Material{}));
            analysis::FacePart part;
            part.face = owned.back().get();
            part.v = owned.back()->vertices.data();
            part.n = 4;
            geometry::X3DVector area = analysis::vectorArea(part.v, 4);
            part.area = area.norm();
            part.normal = area * (1.0 / part.area);
            part.offset = -geometry::dot(part.normal, c[s[0]]);
            faces.push_back(part);
            shell.push_back(k);
        }
    }
    std::vector<char> closed(30, 1);
    std::vector<Box> boxes;
    for (const analysis::FacePart& f : faces) {
        boxes.push_back(f.box());
    }
    BoxTree tree(boxes);
    analysis::ShellRays generous(faces, shell, closed, tree);
    EXPECT_EQ(generous.inside({0.1, 0.2, 0.3}), std::optional<bool>(false));
    EXPECT_EQ(generous.inside({1.5, 0.2, 0.3}), std::optional<bool>(true));
    EXPECT_EQ(generous.inside({1.5, 0.2, 0.3}, 5), std::optional<bool>(false)) << "shell 5 not counted";
    EXPECT_FALSE(generous.exhausted());
    EXPECT_TRUE(generous.mayBeInsideAnother(3));
    EXPECT_FALSE(generous.mayBeInsideAnother(29));

    analysis::ShellRays stingy(faces, shell, closed, tree, 40);
    EXPECT_TRUE(stingy.inside({29.5, 0.2, 0.3}).has_value()) << "one shell, a few faces";
    EXPECT_FALSE(stingy.inside({0.1, 0.2, 0.3}).has_value()) << "thirty shells cost more than the budget";
    EXPECT_TRUE(stingy.exhausted());
    EXPECT_FALSE(stingy.inside({29.5, 0.2, 0.3}).has_value()) << "nothing more once it is spent";
}
