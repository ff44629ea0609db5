#include "core/exact_sign.h"

#include <gmp.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace habitopia {

namespace {

// x = mantissa * 2^exponent with a 64-bit integer mantissa.
struct Binary {
  unsigned long long mantissa = 0;
  int exponent = 0;
  bool negative = false;
};

Binary Split(Real x) {
  Binary b;
  if (x == 0) return b;
  int e = 0;
  const Real f = std::frexp(std::fabs(x), &e);  // in [0.5, 1), 64 significant bits
  b.mantissa = static_cast<unsigned long long>(std::ldexp(f, 64));
  b.exponent = e - 64;
  b.negative = x < 0;
  return b;
}

class IntegerMatrix {
 public:
  explicit IntegerMatrix(const std::array<const Row4*, 4>& rows) {
    Binary parts[4][4];
    int lowest = INT_MAX;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) {
        parts[r][c] = Split((*rows[r])[c]);
        if (parts[r][c].mantissa != 0) lowest = std::min(lowest, parts[r][c].exponent);
      }
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) {
        mpz_init(m_[r][c]);
        const Binary& b = parts[r][c];
        if (b.mantissa == 0) continue;
        mpz_set_ui(m_[r][c], static_cast<unsigned long>(b.mantissa));
        mpz_mul_2exp(m_[r][c], m_[r][c], static_cast<mp_bitcnt_t>(b.exponent - lowest));
        if (b.negative) mpz_neg(m_[r][c], m_[r][c]);
      }
  }
  ~IntegerMatrix() {
    for (auto& row : m_)
      for (auto& v : row) mpz_clear(v);
  }
  IntegerMatrix(const IntegerMatrix&) = delete;
  IntegerMatrix& operator=(const IntegerMatrix&) = delete;

  // Laplace expansion over the 2 x 2 minors of rows 0, 1 and rows 2, 3.
  int DeterminantSign() {
    static constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    mpz_t top, bottom, t, sum;
    mpz_inits(top, bottom, t, sum, nullptr);
    for (int p = 0; p < 6; ++p) {
      const int a = kPairs[p][0], b = kPairs[p][1];
      const int c = kPairs[5 - p][0], d = kPairs[5 - p][1];
      Minor(0, 1, a, b, top, t);
      Minor(2, 3, c, d, bottom, t);
      mpz_mul(t, top, bottom);
      // Sign of the column permutation (a b c d).
      const int inversions = (a > c) + (a > d) + (b > c) + (b > d);
      if (inversions % 2 == 0)
        mpz_add(sum, sum, t);
      else
        mpz_sub(sum, sum, t);
    }
    const int sign = mpz_sgn(sum);
    mpz_clears(top, bottom, t, sum, nullptr);
    return sign;
  }

 private:
  void Minor(int r0, int r1, int c0, int c1, mpz_t out, mpz_t scratch) {
    mpz_mul(out, m_[r0][c0], m_[r1][c1]);
    mpz_mul(scratch, m_[r0][c1], m_[r1][c0]);
    mpz_sub(out, out, scratch);
  }

  mpz_t m_[4][4];
};

}  // namespace

int ExactDeterminantSign(const Row4& a, const Row4& b, const Row4& c, const Row4& d) {
  IntegerMatrix m({&a, &b, &c, &d});
  return m.DeterminantSign();
}

}  // namespace habitopia
