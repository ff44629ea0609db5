#include "core/exact_sign.h"

#include <gmp.h>

#include <algorithm>
#include <climits>

#include "core/extended_bits.h"

namespace habitopia {

namespace {

// x = mantissa * 2^exponent with the 64-bit integer mantissa of the x87 format.
struct Binary {
  unsigned long long mantissa = 0;
  int exponent = 0;
  bool negative = false;
};

Binary Split(Real x) {
  const ExtendedBits bits = SplitExtended(x);
  return {bits.mantissa, bits.Exponent(), bits.negative};
}

// Big integers kept per thread, so that a sign costs no allocation once they
// have grown to the sizes the inputs need.
class Workspace {
 public:
  Workspace() {
    for (auto& row : m_)
      for (auto& v : row) mpz_init2(v, 256);
    mpz_inits(top_, bottom_, product_, sum_, nullptr);
  }
  ~Workspace() {
    for (auto& row : m_)
      for (auto& v : row) mpz_clear(v);
    mpz_clears(top_, bottom_, product_, sum_, nullptr);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // The rows as integers: every entry times the same power of two.
  void Load(const std::array<const Row4*, 4>& rows) {
    Binary parts[4][4];
    int lowest = INT_MAX;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) {
        parts[r][c] = Split((*rows[r])[c]);
        if (parts[r][c].mantissa != 0) lowest = std::min(lowest, parts[r][c].exponent);
      }
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) {
        const Binary& b = parts[r][c];
        mpz_set_ui(m_[r][c], static_cast<unsigned long>(b.mantissa));
        if (b.mantissa == 0) continue;
        mpz_mul_2exp(m_[r][c], m_[r][c], static_cast<mp_bitcnt_t>(b.exponent - lowest));
        if (b.negative) mpz_neg(m_[r][c], m_[r][c]);
      }
  }

  // Laplace expansion over the 2 x 2 minors of rows 0, 1 and rows 2, 3.
  int DeterminantSign() {
    static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    mpz_set_ui(sum_, 0);
    for (int p = 0; p < 6; ++p) {
      const int a = kPairs[p][0], b = kPairs[p][1];
      const int c = kPairs[5 - p][0], d = kPairs[5 - p][1];
      Minor(0, 1, a, b, top_);
      Minor(2, 3, c, d, bottom_);
      mpz_mul(product_, top_, bottom_);
      // Sign of the column permutation (a b c d).
      const int inversions = (a > c) + (a > d) + (b > c) + (b > d);
      if (inversions % 2 == 0)
        mpz_add(sum_, sum_, product_);
      else
        mpz_sub(sum_, sum_, product_);
    }
    return mpz_sgn(sum_);
  }

 private:
  void Minor(int r0, int r1, int c0, int c1, mpz_t out) {
    mpz_mul(out, m_[r0][c0], m_[r1][c1]);
    mpz_mul(product_, m_[r0][c1], m_[r1][c0]);
    mpz_sub(out, out, product_);
  }

  mpz_t m_[4][4];
  mpz_t top_, bottom_, product_, sum_;
};

}  // namespace

int ExactDeterminantSign(const Row4& a, const Row4& b, const Row4& c, const Row4& d) {
  thread_local Workspace workspace;
  workspace.Load({&a, &b, &c, &d});
  return workspace.DeterminantSign();
}

}  // namespace habitopia
