#include "compute/perf_report_frame.h"

#include <ostream>
#include <string>

#include "compute/engine_state.h"
#include "compute/lifting_line.h"
#include "compute/report_format.h"

namespace {

std::string scriptTag(const char* file) {
    return "<script language=\"javascript\" type=\"text/javascript\" src=\"//" + root_directory +
           "/flot/" + file + "\"></script>";
}

}  // namespace

int WritePerformancePagePreamble() {
    std::ostream& out = OUTPUT_FILE;
    out << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
           "\"http://www.w3.org/TR/html4/loose.dtd\">\n"
        << "<html>\n"
        << " <head>\n"
        << "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
        << "   <TITLE></TITLE>\n"
        << "  <style type=\"text/css\">\n"
        << "  <!--\n"
        << "   @page { margin: 0.79in }\n"
        << "   P { margin-bottom: 0.08in }\n"
        << "   PRE { font-family: \"Courier New\", Courier, monospace; font-size: 13px }\n"
        << "  -->\n"
        << "  </style>\n"
        << "  <!--[if IE]>" << scriptTag("excanvas.pack.js") << "<![endif]-->\n"
        << "  " << scriptTag("jquery.js") << "\n"
        << "  " << scriptTag("jquery.flot.js") << "\n"
        << "</head>\n"
        << "<body>\n"
        << "<PRE>\n"
        << "<table id=\"theTable\" border=\"0\" cellspacing=\"0\" summary=\"table summary\" "
           "cellpadding=\"0\" bgcolor=\"#CCCCCC\">\n"
        << "<tr>\n<td> </td>\n<td> </td>\n<td> </td>\n</tr>\n"
        << "<tr>\n<td> </td>\n<td bgcolor=\"#FFFFFF\">";
    return 0;
}

int WriteRotorResultsHeading(const char* title) {
    OUTPUT_FILE << "\n *********************************"
                << "\n\n RESULTS OF THE ROTOR CALCULATIONS "
                << "\n\n *********************************\n"
                << "\n\nPROBLEM TITLE : " << title << "\n=============\n\n";
    return 0;
}

int WriteInflowListing(const int* num) {
    std::ostream& out = OUTPUT_FILE;
    if (behind_.IFLOW == 0) {
        out << "\n                      UNIFORM FLOW SPECIFIED\n";
        return 0;
    }
    out << "\n                   NONUNIFORM FLOW SPECIFIED\n"
        << "\n                    X      VELDED    THRDED\n\n";
    const int n = *num;
    for (int j = 0; j <= n && j < kGridSize; ++j) {
        const float x = RadiusAtAngle(static_cast<float>(j) * geom_.PI / static_cast<float>(n));
        out << std::string(13, ' ') << ' ' << FixedField(x, 9, 4) << ' '
            << FixedField(behind_.VELDED[j], 9, 4) << ' ' << FixedField(behind_.THRDED[j], 9, 4)
            << '\n';
    }
    return 0;
}

int WriteBlockStart(const BlockInputs* inputs, const float* knots) {
    std::ostream& out = OUTPUT_FILE;
    const BlockInputs& b = *inputs;
    out << "\n****** START ********************************************\n"
        << "\n  BASIC INPUTS :\n"
        << "\n  ========================\n";
    const bool forwardSpeed = b.speed > 0.0f;
    if (forwardSpeed)
        out << "\n      FORWARD SPEED  :" << FixedField(b.speed, 10, 4) << " m/s      ,  "
            << FixedField(b.speed / *knots, 10, 4) << " knots";
    else
        out << "\n      CONSTANT RPM   :" << FixedField(-b.speed * 60.0f, 10, 4) << " RPM";
    // 1 ft^2 = 0.092903 m^2.
    out << "\n      KINEMATIC VIS. :" << FixedField(b.kinematicViscosity, 10, 8)
        << " 1/(m*m*s),     " << FixedField(b.kinematicViscosity / 0.092903f, 10, 8)
        << " 1/(Ft*Ft*s)"
        << "\n      SOUND SPEED    :" << FixedField(b.soundSpeed, 10, 4) << " m/s      ,  "
        << FixedField(b.soundSpeed / *knots, 10, 4) << " knots"
        << "\n      FLUID DENSITY  :" << FixedField(b.density, 10, 4) << " Kg/m**3  ,     "
        << FixedField(b.density * 0.062428f, 10, 4) << " Lb/Ft**3";
    if (forwardSpeed)
        out << "\n      MACH NUMBER    :" << FixedField(b.speed / b.soundSpeed, 10, 4);
    else
        out << "\n      VARIABLE MACH NUMBER";
    if (b.standardAtmosphere)
        out << "\n"
            << "\n   *Using International Standard Atmosphere*"
            << "\n      ALTITUDE       :" << FixedField(b.altitude / 3.28084f, 10, 4)
            << " m        ,     " << FixedField(b.altitude, 10, 4) << " Ft "
            << "\n      TEMPERATURE    :" << FixedField(b.temperature, 10, 4)
            << " K        ,  " << FixedField(b.temperature * 1.8f, 10, 4) << " R  ";
    else
        out << "\n" << "\n   *User defined gas/fluid properties*";
    return 0;
}

int WriteBladeGeometry(const float* x, const float* chordByD, const float* camber,
                       const float* tbyc, const float* twist, const int* count,
                       const float* activityFactor, const int* bladeCount, const float* diameter,
                       const float* hubRatio) {
    std::ostream& out = OUTPUT_FILE;
    out << "\n\n  BLADE GEOMETRY :\n"
        << "  ================\n"
        << "\n     X        CHORD/D   CAMBER     T/C      TWIST \n";
    for (int i = 1; i <= *count; ++i)
        out << ' ' << FixedField(x[i], 9, 4) << ' ' << FixedField(chordByD[i], 9, 4) << ' '
            << FixedField(camber[i], 9, 4) << ' ' << FixedField(tbyc[i], 9, 4) << ' '
            << FixedField(twist[i], 9, 4) << '\n';
    out << "\n    ACTIVITY FACTOR  = " << FixedField(*activityFactor, 0, 4)
        << "\n    BLADE NUMBER     = " << *bladeCount
        << "\n    TIP DIAMETER     = " << FixedField(*diameter, 0, 4) << " m, "
        << FixedField(*diameter * 3.28084f, 0, 4) << " Ft"
        << "\n    HUB/TIP DIAMETER = " << FixedField(*hubRatio, 0, 4) << "\n"
        << "<div id=\"GeometryPlot\" style=\"width:600px;height:300px;\"></div>\n";
    return 0;
}

int WriteAnalysisHeading() {
    OUTPUT_FILE << "\n\n  RESULTS OF THE NUMERICAL ANALYSIS :\n"
                << "  =================================\n\n";
    return 0;
}

int WriteBlockEnd() {
    OUTPUT_FILE << "\n****** END   ********************************************\n";
    return 0;
}
