// The demo company's lists: a chandlery on the North Shore of Massachusetts selling
// rope, anchoring, paint, electrical and safety gear to boatyards, marinas and boat
// owners.
#include "demo/demo_catalogue.h"

namespace quay::desk::detail {

const std::vector<std::string_view>& demoGroups() {
    static const std::vector<std::string_view> groups = {"ROPE",     "ANCHORING", "PAINT",    "ELECTRICAL",
                                                         "PLUMBING", "SAFETY",    "HARDWARE", "ELECTRONICS"};
    return groups;
}

const std::vector<DemoParty>& demoManufacturers() {
    static const std::vector<DemoParty> m = {
        {"Seacord Ropeworks", "Dana", "Whitcomb", "220 Ropewalk Lane", "New Bedford", "MA", "02740-1102",
         "(508)555-0110", "sales@seacord.example"},
        {"Bayhold Anchors", "Luis", "Ferreira", "8 Foundry Road", "Warren", "RI", "02885-2210", "(401)555-0134",
         "orders@bayhold.example"},
        {"Tidewater Coatings", "Ruth", "Ames", "41 Mill Pond Drive", "Portland", "ME", "04101-3320", "(207)555-0157",
         "info@tidewatercoat.example"},
        {"Northlight Marine Electric", "Sam", "Okafor", "1900 Harbor Blvd", "Norwalk", "CT", "06854-4411",
         "(203)555-0172", "support@northlight.example"},
        {"Keelson Plumbing Co", "Ellen", "Roy", "17 Keel Street", "Bristol", "RI", "02809-1050", "(401)555-0193",
         "keelson@keelson.example"},
        {"Lifeline Safety Gear", "Marcus", "Bell", "500 Beacon Park", "Burlington", "MA", "01803-2234", "(781)555-0116",
         "service@lifeline.example"},
        {"Capstan Hardware", "Ivy", "Tran", "62 Capstan Way", "Essex", "CT", "06426-1201", "(860)555-0128",
         "capstan@capstan.example"},
        {"Halyard Electronics", "Greg", "Novak", "3 Tech Circle", "Nashua", "NH", "03062-5512", "(603)555-0149",
         "sales@halyard.example"},
    };
    return m;
}

const std::vector<DemoParty>& demoVendors() {
    static const std::vector<DemoParty> v = {
        {"Atlantic Marine Distributors", "Karen", "Doyle", "1 Distribution Drive", "Wilmington", "MA", "01887-4410",
         "(978)555-0201", "orders@atlanticmd.example"},
        {"Coastline Wholesale", "Pete", "Marino", "77 Commerce Way", "Providence", "RI", "02903-1188", "(401)555-0219",
         "buy@coastline.example"},
        {"Harborside Supply Group", "Anita", "Shah", "400 Wharf Road", "Portsmouth", "NH", "03801-2076",
         "(603)555-0237", "supply@harborside.example"},
        {"Mariner Parts Direct", "Tom", "Keegan", "15 Industrial Park", "Braintree", "MA", "02184-3302",
         "(781)555-0245", "parts@marinerdirect.example"},
        {"Northeast Paint & Coatings", "Joan", "Pike", "88 Depot Street", "Worcester", "MA", "01608-1120",
         "(508)555-0263", "sales@nepaint.example"},
        {"Beacon Safety Supply", "Raj", "Mehta", "9 Lighthouse Road", "Hingham", "MA", "02043-2219", "(781)555-0281",
         "beacon@beaconsafety.example"},
    };
    return v;
}

const std::vector<DemoParty>& demoCustomers() {
    static const std::vector<DemoParty> c = {
        {"Annisquam Boat Yard", "Walter", "Haines", "12 River Road", "Gloucester", "MA", "01930-1411", "(978)555-1101",
         "office@annisquamby.example"},
        {"Bass Rocks Marina", "Diane", "Costa", "3 Atlantic Road", "Gloucester", "MA", "01930-2212", "(978)555-1102",
         "dock@bassrocks.example"},
        {"Beverly Port Marina", "Frank", "Leone", "43 Water Street", "Beverly", "MA", "01915-3301", "(978)555-1103",
         "beverlyport@bpm.example"},
        {"Cape Ann Charters", "Lisa", "Moreau", "29 Rogers Street", "Gloucester", "MA", "01930-1509", "(978)555-1104",
         "book@capeanncharters.example"},
        {"Crane Beach Sailing Club", "Henry", "Wolcott", "290 Argilla Road", "Ipswich", "MA", "01938-2601",
         "(978)555-1105", "club@cranesail.example"},
        {"Danvers Yacht Services", "Maria", "Silva", "8 Porter Street", "Danvers", "MA", "01923-1112", "(978)555-1106",
         "service@danversyacht.example"},
        {"Essex River Boatworks", "Carl", "Story", "150 Main Street", "Essex", "MA", "01929-1201", "(978)555-1107",
         "shop@essexboatworks.example"},
        {"Fishermen's Cooperative", "Joe", "Balboni", "1 Fish Pier", "Gloucester", "MA", "01930-3108", "(978)555-1108",
         "coop@fishcoop.example"},
        {"Great Marsh Kayak Tours", "Amy", "Lindqvist", "6 Marsh Lane", "Newbury", "MA", "01951-1702", "(978)555-1109",
         "tours@greatmarsh.example"},
        {"Hawthorne Cove Marina", "Peter", "Quinn", "10 White Street", "Salem", "MA", "01970-3612", "(978)555-1110",
         "office@hawthornecove.example"},
        {"Ipswich Shellfish Co", "Nora", "Gagnon", "8 Hayward Street", "Ipswich", "MA", "01938-1922", "(978)555-1111",
         "orders@ipswichshell.example"},
        {"Kernwood Marina", "Ted", "Brennan", "2 Kernwood Avenue", "Beverly", "MA", "01915-1433", "(978)555-1112",
         "kernwood@kernwood.example"},
        {"Lynn Harbor Launch", "Sofia", "Reyes", "154 Lynnway", "Lynn", "MA", "01902-4105", "(781)555-1113",
         "launch@lynnharbor.example"},
        {"Manchester Harbor Boat", "George", "Lawson", "2 Ashland Avenue", "Manchester", "MA", "01944-1506",
         "(978)555-1114", "mhbs@mhbs.example"},
        {"Marblehead Trading Co", "Ruth", "Chase", "100 Front Street", "Marblehead", "MA", "01945-3517",
         "(781)555-1115", "trade@mhdtrading.example"},
        {"Merrimack River Marina", "Dave", "Pelletier", "45 Merrimac Street", "Newburyport", "MA", "01950-2630",
         "(978)555-1116", "slips@merrimackmarina.example"},
        {"Nahant Dory Club", "Grace", "Fowler", "1 Wharf Street", "Nahant", "MA", "01908-1210", "(781)555-1117",
         "dory@nahantdory.example"},
        {"Newburyport Harbor Master", "Kevin", "Doherty", "60 Pleasant Street", "Newburyport", "MA", "01950-2701",
         "(978)555-1118", "harbor@nbpt.example"},
        {"Pickering Wharf Marina", "Hannah", "Price", "23 Congress Street", "Salem", "MA", "01970-5508",
         "(978)555-1119", "pickering@pwm.example"},
        {"Plum Island Outfitters", "Brian", "Murphy", "4 Plum Island Blvd", "Newbury", "MA", "01951-1910",
         "(978)555-1120", "shop@plumoutfit.example"},
        {"Rockport Lobster Co", "Tony", "Amaral", "17 Bearskin Neck", "Rockport", "MA", "01966-1803", "(978)555-1121",
         "lobster@rockportlob.example"},
        {"Salem Ferry Services", "Megan", "O'Neil", "10 Blaney Street", "Salem", "MA", "01970-5632", "(978)555-1122",
         "ferry@salemferry.example"},
        {"Swampscott Yacht Club", "Arthur", "Pratt", "31 Humphrey Street", "Swampscott", "MA", "01907-2414",
         "(781)555-1123", "syc@syc.example"},
        {"Winthrop Shore Boats", "Julia", "Ricci", "649 Shirley Street", "Winthrop", "MA", "02152-1907",
         "(617)555-1124", "boats@winthropshore.example"},
        {"Bradley, Anne", "Anne", "Bradley", "14 Eastern Point Road", "Gloucester", "MA", "01930-4315", "(978)555-1125",
         "anne.bradley@mail.example"},
        {"Carver, Michael", "Michael", "Carver", "88 Bay View Avenue", "Salem", "MA", "01970-2233", "(978)555-1126",
         "mcarver@mail.example"},
        {"Delgado, Rosa", "Rosa", "Delgado", "5 Ocean Avenue", "Marblehead", "MA", "01945-3904", "(781)555-1127",
         "rosa.delgado@mail.example"},
        {"Ellison, James", "James", "Ellison", "212 High Street", "Newburyport", "MA", "01950-3810", "(978)555-1128",
         "jellison@mail.example"},
        {"Fitzgerald, Kate", "Kate", "Fitzgerald", "9 Harbor Lane", "Rockport", "MA", "01966-2011", "(978)555-1129",
         "kfitz@mail.example"},
        {"Gallagher, Sean", "Sean", "Gallagher", "71 Main Street", "Essex", "MA", "01929-1320", "(978)555-1130",
         "sgallagher@mail.example"},
        {"Hoffman, Laura", "Laura", "Hoffman", "33 Lafayette Street", "Salem", "MA", "01970-3745", "(978)555-1131",
         "lhoffman@mail.example"},
        {"Ingram, Paul", "Paul", "Ingram", "120 Hale Street", "Beverly", "MA", "01915-2108", "(978)555-1132",
         "pingram@mail.example"},
        {"Jensen, Erik", "Erik", "Jensen", "18 Argilla Road", "Ipswich", "MA", "01938-2410", "(978)555-1133",
         "ejensen@mail.example"},
        {"Kowalski, Dana", "Dana", "Kowalski", "402 Washington Street", "Lynn", "MA", "01901-1316", "(781)555-1134",
         "dkowalski@mail.example"},
        {"Larkin, Owen", "Owen", "Larkin", "57 Atlantic Avenue", "Swampscott", "MA", "01907-1822", "(781)555-1135",
         "olarkin@mail.example"},
        {"Moreno, Elena", "Elena", "Moreno", "6 Beach Street", "Manchester", "MA", "01944-1407", "(978)555-1136",
         "emoreno@mail.example"},
    };
    return c;
}

const std::vector<DemoProduct>& demoProducts() {
    static const std::vector<DemoProduct> p = {
        {"RP-DL-3815", "Nylon dock line 3/8in x 15ft", "ROPE", "Seacord Ropeworks", 11.20, 21.99, 48, 12, "A-01"},
        {"RP-DL-1220", "Nylon dock line 1/2in x 20ft", "ROPE", "Seacord Ropeworks", 17.40, 32.99, 36, 10, "A-01"},
        {"RP-DB-0516", "Double braid polyester 5/16in per ft", "ROPE", "Seacord Ropeworks", 0.62, 1.29, 1200, 300,
         "A-02"},
        {"RP-DB-0716", "Double braid polyester 7/16in per ft", "ROPE", "Seacord Ropeworks", 1.05, 2.19, 900, 250,
         "A-02"},
        {"RP-AN-1250", "Anchor rode 1/2in x 150ft with thimble", "ROPE", "Seacord Ropeworks", 58.00, 109.00, 14, 4,
         "A-03"},
        {"RP-AN-3820", "Anchor rode 3/8in x 200ft with thimble", "ROPE", "Seacord Ropeworks", 49.50, 94.95, 10, 4,
         "A-03"},
        {"RP-SH-0014", "Shock cord 1/4in per ft", "ROPE", "Seacord Ropeworks", 0.35, 0.79, 800, 200, "A-04"},
        {"AN-FL-0008", "Fluke anchor 8 lb galvanised", "ANCHORING", "Bayhold Anchors", 42.00, 79.99, 12, 4, "B-01"},
        {"AN-FL-0013", "Fluke anchor 13 lb galvanised", "ANCHORING", "Bayhold Anchors", 61.00, 114.99, 9, 3, "B-01"},
        {"AN-PL-0015", "Plough anchor 15 lb", "ANCHORING", "Bayhold Anchors", 118.00, 219.00, 6, 2, "B-02"},
        {"AN-PL-0022", "Plough anchor 22 lb", "ANCHORING", "Bayhold Anchors", 156.00, 289.00, 4, 2, "B-02"},
        {"AN-CH-0516", "Galvanised chain 5/16in per ft", "ANCHORING", "Bayhold Anchors", 3.10, 5.99, 400, 100, "B-03"},
        {"AN-SH-0038", "Anchor shackle 3/8in stainless", "ANCHORING", "Bayhold Anchors", 6.80, 12.99, 60, 20, "B-04"},
        {"AN-SW-0038", "Anchor swivel 3/8in stainless", "ANCHORING", "Bayhold Anchors", 14.20, 27.50, 30, 10, "B-04"},
        {"PT-AF-BLQT", "Antifouling paint blue, quart", "PAINT", "Tidewater Coatings", 48.00, 89.99, 24, 6, "C-01"},
        {"PT-AF-BLGL", "Antifouling paint blue, gallon", "PAINT", "Tidewater Coatings", 165.00, 299.99, 12, 4, "C-01"},
        {"PT-AF-RDQT", "Antifouling paint red, quart", "PAINT", "Tidewater Coatings", 48.00, 89.99, 18, 6, "C-01"},
        {"PT-TS-WHQT", "Topside enamel white, quart", "PAINT", "Tidewater Coatings", 26.50, 49.99, 20, 6, "C-02"},
        {"PT-VR-GLQT", "Spar varnish gloss, quart", "PAINT", "Tidewater Coatings", 24.00, 44.99, 22, 6, "C-02"},
        {"PT-PR-EPQT", "Epoxy barrier primer, quart", "PAINT", "Tidewater Coatings", 38.00, 69.99, 10, 4, "C-03"},
        {"PT-BR-0300", "Paint brush badger 3in", "PAINT", "Tidewater Coatings", 6.20, 12.99, 40, 10, "C-04"},
        {"EL-BT-G24M", "Deep cycle battery group 24", "ELECTRICAL", "Northlight Marine Electric", 96.00, 169.99, 8, 3,
         "D-01"},
        {"EL-BT-G27M", "Deep cycle battery group 27", "ELECTRICAL", "Northlight Marine Electric", 118.00, 199.99, 6, 2,
         "D-01"},
        {"EL-SW-BATT", "Battery selector switch", "ELECTRICAL", "Northlight Marine Electric", 24.50, 44.95, 15, 5,
         "D-02"},
        {"EL-LT-NAVC", "LED navigation light combo bow", "ELECTRICAL", "Northlight Marine Electric", 31.00, 59.99, 12,
         4, "D-03"},
        {"EL-LT-ANCH", "LED anchor light all-round", "ELECTRICAL", "Northlight Marine Electric", 28.00, 54.99, 10, 4,
         "D-03"},
        {"EL-WR-1410", "Tinned wire 14 AWG 100ft red", "ELECTRICAL", "Northlight Marine Electric", 22.00, 41.99, 16, 5,
         "D-04"},
        {"EL-FS-ATC3", "Fuse block 6 circuit", "ELECTRICAL", "Northlight Marine Electric", 13.50, 26.99, 20, 6, "D-04"},
        {"PL-BP-1100", "Bilge pump 1100 gph", "PLUMBING", "Keelson Plumbing Co", 39.00, 74.99, 14, 4, "E-01"},
        {"PL-BP-2000", "Bilge pump 2000 gph", "PLUMBING", "Keelson Plumbing Co", 62.00, 114.99, 8, 3, "E-01"},
        {"PL-FS-AUTO", "Automatic float switch", "PLUMBING", "Keelson Plumbing Co", 18.50, 34.99, 18, 6, "E-02"},
        {"PL-HS-1125", "Bilge hose 1-1/8in per ft", "PLUMBING", "Keelson Plumbing Co", 1.90, 3.79, 300, 80, "E-03"},
        {"PL-TH-0075", "Bronze thru-hull 3/4in", "PLUMBING", "Keelson Plumbing Co", 16.00, 29.99, 12, 4, "E-04"},
        {"PL-SC-0075", "Bronze seacock 3/4in", "PLUMBING", "Keelson Plumbing Co", 64.00, 119.00, 6, 2, "E-04"},
        {"SF-PF-ADUL", "Inflatable life jacket adult", "SAFETY", "Lifeline Safety Gear", 78.00, 149.99, 20, 6, "F-01"},
        {"SF-PF-CHLD", "Child life jacket foam", "SAFETY", "Lifeline Safety Gear", 22.00, 42.99, 18, 6, "F-01"},
        {"SF-FL-KIT4", "Flare kit, four aerial", "SAFETY", "Lifeline Safety Gear", 34.00, 64.99, 15, 5, "F-02"},
        {"SF-FX-B1MR", "Fire extinguisher B-I marine", "SAFETY", "Lifeline Safety Gear", 21.00, 39.99, 16, 5, "F-02"},
        {"SF-RG-RING", "Throwable ring buoy 24in", "SAFETY", "Lifeline Safety Gear", 38.00, 72.99, 8, 3, "F-03"},
        {"SF-FA-KITM", "First aid kit, marine", "SAFETY", "Lifeline Safety Gear", 27.50, 52.99, 12, 4, "F-03"},
        {"SF-HN-AIRH", "Air horn with canister", "SAFETY", "Lifeline Safety Gear", 9.80, 18.99, 30, 10, "F-04"},
        {"HW-CL-0060", "Stainless cleat 6in", "HARDWARE", "Capstan Hardware", 9.40, 17.99, 40, 12, "G-01"},
        {"HW-CL-0080", "Stainless cleat 8in", "HARDWARE", "Capstan Hardware", 13.60, 25.99, 30, 10, "G-01"},
        {"HW-FN-0824", "Vinyl fender 8 x 24in", "HARDWARE", "Capstan Hardware", 19.00, 36.99, 24, 8, "G-02"},
        {"HW-FN-1030", "Vinyl fender 10 x 30in", "HARDWARE", "Capstan Hardware", 29.00, 54.99, 16, 6, "G-02"},
        {"HW-BH-0304", "Boat hook telescoping 4-8ft", "HARDWARE", "Capstan Hardware", 21.50, 39.99, 12, 4, "G-03"},
        {"HW-SN-0312", "Snap shackle 3in stainless", "HARDWARE", "Capstan Hardware", 17.00, 32.99, 20, 6, "G-04"},
        {"HW-BK-0100", "Single block 1in", "HARDWARE", "Capstan Hardware", 12.30, 23.99, 25, 8, "G-04"},
        {"HW-HN-HING", "Stainless hinge pair", "HARDWARE", "Capstan Hardware", 7.60, 14.49, 35, 10, "G-05"},
        {"EC-VH-HH25", "Handheld VHF radio 6W", "ELECTRONICS", "Halyard Electronics", 92.00, 169.99, 10, 3, "H-01"},
        {"EC-VH-FX25", "Fixed mount VHF radio 25W", "ELECTRONICS", "Halyard Electronics", 148.00, 269.99, 6, 2, "H-01"},
        {"EC-AN-VH08", "VHF antenna 8ft", "ELECTRONICS", "Halyard Electronics", 64.00, 119.99, 8, 3, "H-02"},
        {"EC-FF-0005", "Fishfinder 5in colour", "ELECTRONICS", "Halyard Electronics", 186.00, 329.99, 5, 2, "H-03"},
        {"EC-GP-0007", "Chartplotter 7in", "ELECTRONICS", "Halyard Electronics", 412.00, 749.00, 3, 1, "H-03"},
        {"EC-CM-HAND", "Hand bearing compass", "ELECTRONICS", "Halyard Electronics", 38.00, 69.99, 9, 3, "H-04"},
        {"EC-BL-HRN2", "Electric horn twin trumpet", "ELECTRONICS", "Halyard Electronics", 44.00, 82.99, 7, 2, "H-04"},
    };
    return p;
}

const std::vector<DemoSalesperson>& demoSalespeople() {
    static const std::vector<DemoSalesperson> s = {{"MPR", "Molly", "Prescott"},
                                                   {"JTK", "Jonah", "Tucker"},
                                                   {"SLV", "Sara", "Levesque"},
                                                   {"HOUSE", "House", "Account"}};
    return s;
}

const std::vector<std::string_view>& demoTerms() {
    static const std::vector<std::string_view> t = {"NET 10", "NET 30", "2% 10 NET 30", "COD", "DUE ON RECEIPT"};
    return t;
}

const std::vector<std::string_view>& demoShippingMethods() {
    static const std::vector<std::string_view> s = {"UPS Ground",    "UPS 2nd Day Air", "FedEx Overnight",
                                                    "USPS Priority", "Our Truck",       "Customer Pickup"};
    return s;
}

const std::vector<std::string_view>& demoTips() {
    static const std::vector<std::string_view> t = {
        "Choosing Quotes or Customers again brings the open list to the front instead of opening a second one.",
        "Drag the toolbar to the left edge of the window to stand it upright.",
        "Make a backup at the end of every day with Utilities, Backup Data, and copy the backups folder to another "
        "disk.",
        "A quote becomes an invoice when you save it as one; the stock and the customer's account follow at once.",
        "Set your price classes once under Utilities, Defaults, and every new product is priced for you.",
        "Add a follow-up to the schedule with an alarm, and Billquay reminds you when it falls due.",
        "Type a seven-digit phone number and Billquay puts your default area code in front of it.",
        "Window, Tile shows every open window side by side.",
    };
    return t;
}

}  // namespace quay::desk::detail
