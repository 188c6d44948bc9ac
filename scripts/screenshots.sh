#!/usr/bin/env bash
# Pictures of the program's windows for review: builds the program if needed, makes a sample
# address file of 30 people with corvane-cli in a scratch program directory, starts the program
# under Xvfb as the corvane-screenshots tool, and leaves one PNG per window in the folder given
# (main.png, preferences.png, getting-started.png, about.png, new-database.png, designer-100.png,
# label-layout.png, select-template.png, labeledit.png, print-labels.png, labels-print-positions.png,
# bulk-mail-presorting.png, print-status.png, preview-status.png, preview-labels.png, ...) and
# labels.pdf, the label run printed on the way.
#
#   scripts/screenshots.sh OUT-FOLDER [BUILD-FOLDER]
set -euo pipefail

out=${1:?usage: scripts/screenshots.sh OUT-FOLDER [BUILD-FOLDER]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ ! -x "$build/corvane-screenshots" ] || [ ! -x "$build/corvane-cli" ]; then
  cmake -S "$root" -B "$build" -G Ninja >/dev/null
  cmake --build "$build" -j2 --target corvane-screenshots corvane-cli corvane_label_catalogue
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export CORVANE_HOME=$home
mkdir -p "$home/DATA" "$home/sysdata"
# The label stock catalogue the build makes, for the template picker.
if [ -f "$build/sysdata/LBLTPL.DBF" ]; then
  cp "$build/sysdata"/LBLTPL.* "$home/sysdata/"
fi
# The stock outline pictures, for the designer's "Show art".
cp "$root"/data/art/*.BMP "$home/sysdata/" 2>/dev/null || true
# No "Getting Started" over the main window: the tour takes its own picture of it.
printf '[Misc]\r\nGettingStarted=1\r\n' > "$home/CORVAN.ini"

csv=$home/people.csv
cat > "$csv" <<'CSV'
LNAME,FNAME,MIDDLE,PREFIX,TITLE,ORG,STREET,STREET2,CITY,STATE,ZIP,COUNTRY,DATE,PHONE,EMAIL,CODES,USER1,MEMO
Adams,John,Q,Mr.,Director,Acme Tools,12 Elm Street,Suite 4,Springfield,IL,62701,USA,19970428,217-555-0101,john.adams@example.com,CV,Met at the fair,"Prefers blue paper.
Call before noon."
Baker,Mary,,Ms.,Owner,Baker's Dozen,4 Harbor Road,,Boston,MA,02110,USA,20230115,617-555-0102,mary@example.com,C,,
Clark,Ann,L,Dr.,Physician,City Clinic,88 Pine Avenue,,Albany,NY,12207,USA,,518-555-0103,,V,,
Davis,Robert,,Mr.,,,300 Oak Lane,Apt 2B,Austin,TX,73301,USA,,512-555-0104,rdavis@example.com,,,
Evans,Linda,M,Mrs.,Teacher,Lincoln School,7 Maple Court,,Denver,CO,80202,USA,19991231,303-555-0105,,C,Newsletter,
Foster,James,,Mr.,Manager,Foster & Sons,55 Cedar Road,,Seattle,WA,98101,USA,,206-555-0106,,CV,,
Garcia,Maria,,Ms.,,,19 Sunset Blvd,,Los Angeles,CA,90001,USA,,213-555-0107,maria.g@example.com,,,
Harris,David,K,Mr.,Engineer,Northwind,21 River Street,,Portland,OR,97201,USA,,503-555-0108,,V,,
Irwin,Susan,,Ms.,Editor,Daily Post,600 Main Street,Floor 3,Chicago,IL,60601,USA,,312-555-0109,,C,,
Jackson,Paul,,Mr.,,,8 Birch Way,,Atlanta,GA,30301,USA,,404-555-0110,,,,
King,Nancy,A,Mrs.,Treasurer,Garden Club,14 Rose Lane,,Miami,FL,33101,USA,,305-555-0111,nking@example.com,CV,,
Lopez,Carlos,,Mr.,Chef,La Mesa,77 Vine Street,,Phoenix,AZ,85001,USA,,602-555-0112,,,,
Miller,Karen,,Ms.,,,3 Willow Drive,,Columbus,OH,43004,USA,,614-555-0113,,C,,
Nelson,Mark,T,Mr.,Pastor,First Church,1 Church Street,,Nashville,TN,37201,USA,,615-555-0114,,V,,
Owens,Betty,,Mrs.,,,250 Lake Shore,,Madison,WI,53703,USA,,608-555-0115,,,,
Parker,George,,Mr.,Attorney,Parker Law,900 Court Plaza,Suite 100,Richmond,VA,23219,USA,,804-555-0116,,C,,
Quinn,Helen,,Ms.,,,45 Bay Street,,Toronto,ON,M5J 2N8,Canada,,416-555-0117,helen.q@example.ca,,,
Roberts,Steven,J,Dr.,Dentist,Bright Smiles,16 Market Square,,Pittsburgh,PA,15222,USA,,412-555-0118,,CV,,
Scott,Laura,,Ms.,Librarian,Town Library,2 Library Lane,,Burlington,VT,05401,USA,,802-555-0119,,C,,
Turner,Edward,,Mr.,,,66 Hill Road,,Salt Lake City,UT,84101,USA,,801-555-0120,,,,
Underwood,Grace,,Mrs.,,,5 Orchard Path,,Boise,ID,83702,USA,,208-555-0121,,V,,
Vasquez,Daniel,R,Mr.,Pilot,Sky Air,1200 Airport Way,,Denver,CO,80249,USA,,720-555-0122,,,,
Walker,Ruth,,Ms.,,,31 Meadow Lane,,Omaha,NE,68102,USA,,402-555-0123,,C,,
Young,Thomas,,Mr.,Coach,Valley High,400 School Road,,Boston,MA,02115,USA,,617-555-0124,,CV,,
Zimmer,Olivia,,Ms.,Designer,Studio Z,9 Gallery Row,,Santa Fe,NM,87501,USA,,505-555-0125,,,,
Abbott,Frank,,Mr.,,,17 Pleasant Street,,Springfield,MA,01103,USA,,413-555-0126,,C,,
Becker,Ingrid,,Frau,,Becker GmbH,Hauptstraße 5,,München,,80331,Germany,,+49 89 555 0127,,V,,
Chen,Wei,,Mr.,Analyst,Data Works,250 Park Avenue,,New York,NY,10177,USA,,212-555-0128,wei.chen@example.com,,,
Dubois,Claire,,Mme,,,12 rue de la Paix,,Montréal,QC,H3B 1A1,Canada,,514-555-0129,,C,,
Ellis,Victor,,Mr.,,,81 Fox Run,,Springfield,IL,62704,USA,,217-555-0130,,,,
CSV

file=$home/DATA/add0001.DBF
"$build/corvane-cli" create "$file" >/dev/null
"$build/corvane-cli" append "$file" --csv "$csv" >/dev/null
# Two label setups for the "Print Labels" window.
"$build/corvane-cli" new-label-setup --description "Office mailing" --template "Avery 5160  Address" >/dev/null
"$build/corvane-cli" new-label-setup --description "Shipping labels" --template "Avery 5163  Shipping" >/dev/null
printf '[MRU]\r\nItem1=%s\r\n[Misc]\r\nGettingStarted=1\r\n' "$file" > "$home/CORVAN.ini"

xvfb-run -a -s "-screen 0 1280x900x24" "$build/corvane-screenshots" "$out"
ls "$out"
