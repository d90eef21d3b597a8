#include "editor/quicklists.h"

namespace tess {

namespace {

const char countries[] =
    "Afghanistan;;Albania;;Algeria;;American Samoa;;Andorra;;Angola;;Anguilla;;Antarctica;;Antigua, Barbuda;;Argentina;;Armenia;;Aruba;;Australia;;Austria;;Azerbaijan;;Bahamas;;Bahrain;;Bangladesh;;Barbados"
    ";;Belarus;;Belgium;;Belize;;Benin;;Bermuda;;Bhutan;;Bolivia;;Bosnia, Herzegovina;;Botswana;;Bouvet Is.;;Brazil;;Brunei Darussalam;;Bulgaria;;Burkina Faso;;Burundi;;Cambodia;;Cameroon;;Canada;;Canary Is."
    ";;Cape Verde;;Cayman Is.;;Central African Rep.;;Chad;;Channel Islands;;Chile;;China;;Christmas Is.;;Cocos Is.;;Colombia;;Comoros;;Congo, D.R. Of;;Congo;;Cook Is.;;Costa Rica;;Croatia;;Cuba;;Cyprus;;Czech Republic"
    ";;Denmark;;Djibouti;;Dominica;;Dominican Republic;;Ecuador;;Egypt;;El Salvador;;Equatorial Guinea;;Eritrea;;Estonia;;Ethiopia;;Falkland Is.;;Faroe Is.;;Fiji;;Finland;;France;;French Guiana;;French Polynesia"
    ";;French Territories;;Gabon;;Gambia;;Georgia;;Germany;;Ghana;;Gibraltar;;Greece;;Greenland;;Grenada;;Guadeloupe;;Guam;;Guatemala;;Guernsey;;Guinea-bissau;;Guinea;;Guyana;;Haiti;;Heard, Mcdonald Is.;;Honduras"
    ";;Hong Kong;;Hungary;;Iceland;;India;;Indonesia;;Iran;;Iraq;;Ireland;;Israel;;Italy;;Ivory Coast;;Jamaica;;Japan;;Jersey;;Jordan;;Kazakhstan;;Kenya;;Kiribati;;Korea, D.P.R Of;;Korea, Rep. Of;;Kuwait;;Kyrgyzstan"
    ";;Lao Peoples D.R.;;Latvia;;Lebanon;;Lesotho;;Liberia;;Libyan Arab Jamahiriya;;Liechtenstein;;Lithuania;;Luxembourg;;Macao;;Macedonia, F.Y.R Of;;Madagascar;;Malawi;;Malaysia;;Maldives;;Mali;;Malta;;Mariana Islands"
    ";;Marshall Islands;;Martinique;;Mauritania;;Mauritius;;Mayotte;;Mexico;;Micronesia;;Moldova;;Monaco;;Mongolia;;Montserrat;;Morocco;;Mozambique;;Myanmar;;Namibia;;Nauru;;Nepal;;Netherlands Antilles;;Netherlands"
    ";;New Caledonia;;New Zealand;;Nicaragua;;Niger;;Nigeria;;Niue;;Norfolk Island;;Norway;;Oman;;Pakistan;;Palau;;Palestinian Terr.;;Panama;;Papua New Guinea;;Paraguay;;Peru;;Philippines;;Pitcairn;;Poland;;Portugal"
    ";;Puerto Rico;;Qatar;;Reunion;;Romania;;Russian Federation;;Rwanda;;Samoa;;San Marino;;Sao Tome, Principe;;Saudi Arabia;;Senegal;;Seychelles;;Sierra Leone;;Singapore;;Slovakia;;Slovenia;;Solomon Is.;;Somalia"
    ";;South Africa;;South Georgia;;South Sandwich Is.;;Spain;;Sri Lanka;;St. Helena;;St. Kitts, Nevis;;St. Lucia;;St. Pierre, Miquelon;;St. Vincent, Grenadines;;Sudan;;Suriname;;Svalbard, Jan Mayen;;Swaziland;;Sweden"
    ";;Switzerland;;Syrian Arab Republic;;Taiwan;;Tajikistan;;Tanzania;;Thailand;;Timor-leste;;Togo;;Tokelau;;Tonga;;Trinidad, Tobago;;Tunisia;;Turkey;;Turkmenistan;;Turks, Caicoss;;Tuvalu;;Uganda;;Ukraine"
    ";;United Arab Emirates;;United Kingdom;;United States;;Uruguay;;Uzbekistan;;Vanuatu;;Vatican City;;Venezuela;;Viet Nam;;Virgin Is. British;;Virgin Is. U.S.;;Wallis, Futuna;;Western Sahara;;Yemen;;Yugoslavia;;Zambia;;Zimbabwe";

const char statesFull[] =
    "ALABAMA;;ALASKA;;AMERICAN SAMOA;;ARIZONA;;ARKANSAS;;CALIFORNIA;;COLORADO;;"
    "CONNECTICUT;;DELAWARE;;DISTRICT OF COLUMBIA;;FEDERATED STATES OF MICRONESIA;;"
    "FLORIDA;;GEORGIA;;GUAM;;HAWAII;;IDAHO;;ILLINOIS;;INDIANA;;IOWA;;KANSAS;;KENTUCKY;;"
    "LOUISIANA;;MAINE;;MARSHALL ISLANDS;;MARYLAND;;MASSACHUSETTS;;MICHIGAN;;MINNESOTA;;"
    "MISSISSIPPI;;MISSOURI;;MONTANA;;NEBRASKA;;NEVADA;;NEW HAMPSHIRE;;NEW JERSEY;;NEW MEXICO;;"
    "NEW YORK;;NORTH CAROLINA;;NORTH DAKOTA;;NORTHERN MARIANA ISLANDS;;OHIO;;OKLAHOMA;;OREGON;;"
    "PALAU;;PENNSYLVANIA;;PUERTO RICO;;RHODE ISLAND;;SOUTH CAROLINA;;SOUTH DAKOTA;;TENNESSEE;;TEXAS;;"
    "UTAH;;VERMONT;;VIRGIN ISLANDS;;VIRGINIA;;WASHINGTON;;WEST VIRGINIA;;WISCONSIN;;WYOMING";

const char statesCodes[] =
    "AL;;AK;;AS;;AZ;;AR;;CA;;CO;;CT;;DE;;DC;;FM;;FL;;GA;;GU;;HI;;ID;;IL;;IN;;IA;;KS;;KY;;LA;;ME;;MH;;MD;;MA;;MI;;MN;;MS;;MO;;MT;;NE;;NV;;NH;;NJ;;NM;;NY;;NC;;ND;;MP;;OH;;OK;;OR;;PW;;PA;;PR;;RI;;SC;;SD;;TN;;TX;;UT;;VT;;VI;;VA;;WA;;WV;;WI;;WY";

const char statesBoth[] =
    "ALABAMA (AL);;ALASKA (AK);;AMERICAN SAMOA (AS);;ARIZONA (AZ);;ARKANSAS (AR);;CALIFORNIA (CA);;COLORADO (CO);;CONNECTICUT (CT);;"
    "DELAWARE (DE);;DISTRICT OF COLUMBIA (DC);;FEDERATED STATES OF MICRONESIA (FM);;FLORIDA (FL);;GEORGIA (GA);;GUAM (GU);;"
    "HAWAII (HI);;IDAHO (ID);;ILLINOIS (IL);;INDIANA (IN);;IOWA (IA);;KANSAS (KS);;KENTUCKY (KY);;LOUISIANA (LA);;MAINE (ME);;"
    "MARSHALL ISLANDS (MH);;MARYLAND (MD);;MASSACHUSETTS (MA);;MICHIGAN (MI);;MINNESOTA (MN);;MISSISSIPPI (MS);;MISSOURI (MO);;"
    "MONTANA (MT);;NEBRASKA (NE);;NEVADA (NV);;NEW HAMPSHIRE (NH);;NEW JERSEY (NJ);;NEW MEXICO (NM);;NEW YORK (NY);;"
    "NORTH CAROLINA (NC);;NORTH DAKOTA (ND);;NORTHERN MARIANA ISLANDS (MP);;OHIO (OH);;OKLAHOMA (OK);;OREGON (OR);;PALAU (PW);;"
    "PENNSYLVANIA (PA);;PUERTO RICO (PR);;RHODE ISLAND (RI);;SOUTH CAROLINA (SC);;SOUTH DAKOTA (SD);;TENNESSEE (TN);;TEXAS (TX);;"
    "UTAH (UT);;VERMONT (VT);;VIRGIN ISLANDS (VI);;VIRGINIA (VA);;WASHINGTON (WA);;WEST VIRGINIA (WV);;WISCONSIN (WI);;WYOMING (WY)";

} // namespace

QuickLists FillQuickLists()
{
    QuickLists q;
    q.names[0] = QStringLiteral("World countries list");
    q.values[0] = QString::fromLatin1(countries);
    q.names[1] = QStringLiteral("US states (non-abbreviated)");
    q.values[1] = QString::fromLatin1(statesFull);
    q.names[2] = QStringLiteral("US states (abbreviated)");
    q.values[2] = QString::fromLatin1(statesCodes);
    q.names[3] = QStringLiteral("US states (both formats)");
    q.values[3] = QString::fromLatin1(statesBoth);
    return q;
}

} // namespace tess
