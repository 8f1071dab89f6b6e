#include "app/design/StepResponse.h"

#include "app/design/Section.h"

#include <algorithm>
#include <cmath>

namespace design {

TStepResponse::TStepResponse(const TTransfer& transfer)
{
    const auto& d = transfer.Denominator();
    n_ = transfer.Order();
    // Normalised time tau = w t with w = sqrt(d0 / d2), so the matrix entries are near 1.
    const double w = std::sqrt(d[0] / d[2]);
    timeScale_ = w;
    double den[MaxOrder + 1];
    double num[MaxOrder + 1] = {0, 0, 0, 0};
    double scale = 1;
    for (int i = 0; i <= MaxOrder; ++i) {
        den[i] = d[i] * scale;
        scale *= w;
    }
    num[transfer.ZeroOrder()] = transfer.Gain() * std::pow(w, transfer.ZeroOrder());
    // Monic denominator; a numerator of full degree leaves a direct feed-through.
    const double lead = den[n_];
    for (int i = 0; i <= n_; ++i) {
        den[i] /= lead;
        num[i] /= lead;
    }
    feedthrough_ = num[n_];
    for (int i = 0; i < n_; ++i) {
        a_[i] = den[i];
        c_[i] = num[i] - feedthrough_ * den[i];
    }
    final_ = transfer.ZeroOrder() == 0 ? transfer.Gain() / d[0] : 0;

    std::array<std::complex<double>, 3> poles;
    const int count = StablePolynomialRoots(d, poles);
    slowestDecay_ = -poles[0].real();
    for (int i = 1; i < count; ++i)
        slowestDecay_ = std::min(slowestDecay_, -poles[i].real());
}

// Companion form: x1' = x2, ..., xn' = -a0 x1 - ... - a(n-1) xn + u, y = c . x + D u.
TStepResponse::Matrix TStepResponse::Exponential(double tau) const
{
    const int m = n_ + 1;
    Matrix a{};
    for (int i = 0; i + 1 < n_; ++i)
        a[i][i + 1] = 1;
    for (int j = 0; j < n_; ++j)
        a[n_ - 1][j] = -a_[j];
    a[n_ - 1][n_] = 1;   // B, in the augmented column
    // Scaling and squaring: bring the norm below 1/2, sum the Taylor series, square back.
    double norm = 0;
    for (int i = 0; i < m; ++i) {
        double row = 0;
        for (int j = 0; j < m; ++j)
            row += std::abs(a[i][j]);
        norm = std::max(norm, row);
    }
    norm *= tau;
    int squarings = 0;
    double h = tau;
    while (norm > 0.5) {
        norm *= 0.5;
        h *= 0.5;
        ++squarings;
    }
    Matrix result{}, term{};
    for (int i = 0; i < m; ++i)
        result[i][i] = term[i][i] = 1;
    for (int k = 1; k <= 16; ++k) {
        Matrix next{};
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) {
                double sum = 0;
                for (int l = 0; l < m; ++l)
                    sum += term[i][l] * a[l][j];
                next[i][j] = sum * h / k;
            }
        term = next;
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j)
                result[i][j] += term[i][j];
    }
    for (int s = 0; s < squarings; ++s) {
        Matrix squared{};
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) {
                double sum = 0;
                for (int l = 0; l < m; ++l)
                    sum += result[i][l] * result[l][j];
                squared[i][j] = sum;
            }
        result = squared;
    }
    return result;
}

double TStepResponse::Output(const double* state) const
{
    double y = feedthrough_;
    for (int i = 0; i < n_; ++i)
        y += c_[i] * state[i];
    return y;
}

double TStepResponse::At(double seconds) const
{
    if (seconds < 0)
        return 0;
    // From x(0) = 0 under a unit input, the state is the augmented exponential's last column.
    const Matrix e = Exponential(seconds * timeScale_);
    double state[MaxOrder];
    for (int i = 0; i < n_; ++i)
        state[i] = e[i][n_];
    return Output(state);
}

void TStepResponse::Sample(double duration, std::span<double> out) const
{
    if (out.empty())
        return;
    double state[MaxOrder] = {0, 0, 0};
    out[0] = Output(state);
    if (out.size() == 1)
        return;
    const Matrix e = Exponential(duration / double(out.size() - 1) * timeScale_);
    for (size_t k = 1; k < out.size(); ++k) {
        double next[MaxOrder];
        for (int i = 0; i < n_; ++i) {
            double sum = e[i][n_];   // the input's share over one step
            for (int j = 0; j < n_; ++j)
                sum += e[i][j] * state[j];
            next[i] = sum;
        }
        for (int i = 0; i < n_; ++i)
            state[i] = next[i];
        out[k] = Output(state);
    }
}

double TStepResponse::SettlingBound(double tolerance) const
{
    // The slowest mode decays as exp(-sigma t); its amplitude stays below a few times the final
    // value for these sections (overshoot under 100 % at Q <= 2.5), hence the factor 10.
    return std::log(10 / tolerance) / slowestDecay_;
}

} // namespace design
